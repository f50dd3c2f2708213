#include "core/print/QtPrintCanvas.h"

#include "core/print/PrintFont.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPen>
#include <QScreen>
#include <algorithm>

QtPrintCanvas::QtPrintCanvas(QPagedPaintDevice& device, QString printerName, QString outputFile,
                             std::function<bool()> queueTakesJobs)
    : device_(device), paged_(&device), printerName_(std::move(printerName)), outputFile_(std::move(outputFile)),
      queueTakesJobs_(std::move(queueTakesJobs))
{
    // Without a stored face, a fixed-pitch face, as the text asks for one.
    font.face = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QtPrintCanvas::QtPrintCanvas(QPaintDevice& device) : device_(device)
{
    font.face = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

PageMeasures QtPrintCanvas::measures() const
{
    // The printable area, in pixels and in whole millimetres.
    return {device_.width(), device_.height(), device_.widthMM(), device_.heightMM()};
}

int QtPrintCanvas::screenDpi() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInchY()) : 0;
    return dpi > 0 ? dpi : 96;
}

int QtPrintCanvas::deviceDpi() const { return device_.logicalDpiY(); }

bool QtPrintCanvas::beginDocument()
{
    // A queue gone or refusing since the dialog: nothing is drawn in vain.
    if (queueTakesJobs_ && !queueTakesJobs_())
        return false;
    return painter_.begin(&device_);
}

bool QtPrintCanvas::newPage() { return paged_ && paged_->newPage(); }

bool QtPrintCanvas::endDocument()
{
    if (!painter_.end())
        return false;
    // A file the disk could not hold must not pass for a printed slip; it is
    // removed so nobody sends it on. Only a regular file can be checked.
    if (!outputFile_.isEmpty() && QFileInfo(outputFile_).isFile() && !IsCompletePdf(outputFile_)) {
        QFile::remove(outputFile_);
        return false;
    }
    // The job went to the queue as the painter ended; had the queue gone or
    // begun to refuse jobs meanwhile, it is lost and must not pass for printed.
    if (queueTakesJobs_ && !queueTakesJobs_())
        return false;
    return true;
}

void QtPrintCanvas::textOut(const RotatedText& t)
{
    const QFont f = PrintFontOf(t);
    painter_.save();
    painter_.setFont(f);
    painter_.setPen(Qt::black);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.translate(t.x, t.y);
    painter_.rotate(-t.angle); // counter-clockwise on paper
    // (0, 0) is the top-left corner of the text cell.
    painter_.drawText(QPointF(0, painter_.fontMetrics().ascent()), t.text);
    painter_.restore();
}

void QtPrintCanvas::drawGuide(const Guide& guide)
{
    // Thin lines of about 0.15 mm whatever the resolution.
    const QColor colour = guide.pale ? QColor(0xB4, 0xC8, 0xE6) : QColor(Qt::black);
    painter_.save();
    for (const Guide::Picture& p : guide.pictures) {
        painter_.save();
        painter_.setOpacity(guide.pale ? 0.35 : 1.0);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.setTransform(p.toDevice, true);
        painter_.drawImage(QPointF(0, 0), p.image);
        painter_.restore();
    }
    painter_.setPen(QPen(colour, std::max(1, device_.logicalDpiX() / 170)));
    painter_.drawLines(guide.lines);
    QFont f(QStringLiteral("DejaVu Sans"));
    for (const Guide::Text& t : guide.texts) {
        f.setPixelSize(std::clamp(t.emPixels, 1, 32767));
        painter_.setFont(f);
        painter_.save();
        painter_.translate(t.x, t.y);
        painter_.rotate(-t.angle);
        painter_.drawText(QPointF(0, painter_.fontMetrics().ascent()), t.text);
        painter_.restore();
    }
    painter_.restore();
}

void QtPrintCanvas::fillRects(const QList<QRect>& rects)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(Qt::NoPen);
    for (const QRect& r : rects)
        painter_.fillRect(r, Qt::black);
    painter_.restore();
}

bool IsCompletePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size < 32 || file.read(5) != "%PDF-")
        return false;
    const qint64 tailSize = std::min<qint64>(size, 1024);
    file.seek(size - tailSize);
    const QByteArray tail = file.read(tailSize);
    const qsizetype at = tail.lastIndexOf("startxref");
    if (at < 0 || !tail.mid(at).trimmed().endsWith("%%EOF"))
        return false;
    bool ok = false;
    const qint64 offset = tail.mid(at + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || offset <= 0 || offset >= size)
        return false;
    file.seek(offset);
    return file.read(4) == "xref";
}
