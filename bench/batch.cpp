// The real zelvana-batch printing slip A rows into one PDF, started as a
// process, beside a bare QPainter job that paints the same strings at the
// same places in the same fonts on a PDF, also a process of its own (this
// program started with --bare). Both are timed whole, in turn.
//   bench_batch [ROWS=1000] [RUNS=5] [ZELVANA-BATCH, the one built beside by default]
#include "BenchProcess.h"
#include "core/batch/BatchJob.h"
#include "core/records/RecordsReadOnly.h"
#include "printer/ChosenPrinter.h"
#include "core/print/PrintFont.h"
#include "core/print/QtPrintCanvas.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

// Keeps every text a job draws, page by page, on the measures of `like`.
class Recorder : public PrintCanvas {
public:
    explicit Recorder(const PrintCanvas& like) : like_(like) { font = like.font; }
    PageMeasures measures() const override { return like_.measures(); }
    int screenDpi() const override { return like_.screenDpi(); }
    int deviceDpi() const override { return like_.deviceDpi(); }
    QString printerName() const override { return {}; }
    bool beginDocument() override { return pages.append(QList<RotatedText>()), true; }
    bool newPage() override { return pages.append(QList<RotatedText>()), true; }
    bool endDocument() override { return true; }
    void textOut(const RotatedText& t) override { pages.last().append(t); }
    void drawGuide(const Guide&) override {}
    void fillRects(const QList<QRect>&) override {}
    QList<QList<RotatedText>> pages;

private:
    const PrintCanvas& like_;
};

// One text a line, a form feed before each page: x, y, angle, em, face, text.
QByteArray textsFile(const QList<QList<RotatedText>>& pages)
{
    QByteArray out;
    for (const QList<RotatedText>& page : pages) {
        out += "\f\n";
        for (const RotatedText& t : page)
            out += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                       .arg(t.x).arg(t.y).arg(t.angle).arg(t.emPixels).arg(t.face, t.text).toUtf8();
    }
    return out;
}

// The bare job: the strings of `texts` painted with nothing but QPainter.
int bare(const QString& texts, const QString& pdf)
{
    QFile in(texts);
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(pdf);
    QPainter painter;
    int pages = 0;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        if (line.startsWith('\f')) {
            if (pages++ == 0 ? !painter.begin(&printer) : !printer.newPage())
                return 1;
            continue;
        }
        const QList<QByteArray> f = line.chopped(1).split('\t');
        if (f.size() != 6)
            return 1;
        QFont font(QString::fromUtf8(f[4]));
        font.setPixelSize(f[3].toInt());
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
        painter.save();
        painter.setFont(font);
        painter.translate(f[0].toInt(), f[1].toInt());
        painter.rotate(-f[2].toInt());
        painter.drawText(QPointF(0, painter.fontMetrics().ascent()), QString::fromUtf8(f[5]));
        painter.restore();
    }
    if (!painter.end())
        return 1;
    std::printf("%d pages\n", pages);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--bare"))
        return bare(args[2], args[3]);
    const int rows = args.size() > 1 ? args[1].toInt() : 1000;
    const int runs = args.size() > 2 ? args[2].toInt() : 5;
    const QString program = args.size() > 3 ? args[3] : QStringLiteral(ZELVANA_BATCH_BINARY);

    QTemporaryDir dir;
    QString batch;
    if (!InstallInto(program, dir.path(), batch))
        return 1;
    QByteArray slips = "suma;hal;vsymbol;od1\r\n";
    for (int i = 0; i < rows; ++i)
        slips += QStringLiteral("%1;5;%2;Ján Novák %3\r\n").arg(100 + i * 7).arg(20260000 + i).arg(i).toUtf8();
    const QString table = dir.filePath(QStringLiteral("slips.csv"));
    if (!WriteFile(table, slips))
        return 1;

    // The strings and places the batch draws, as its own folder sets it up.
    BatchContext context;
    context.form = FormKind::SlipA;
    context.programFolder = dir.path() + QLatin1Char('/');
    if (QString why; !ReadRecordsReadOnly(context.programFolder, context.settings, context.personal, why))
        return std::fprintf(stderr, "%s\n", qPrintable(why)), 1;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfFile(printer, dir.filePath(QStringLiteral("unused.pdf")));
    const QtPrintCanvas like(printer, QStringLiteral("PDF"));
    Recorder recorder(like);
    const BatchOutcome drawn = PrintTable(recorder, context, table, {}, false);
    const QString texts = dir.filePath(QStringLiteral("texts.txt"));
    if (drawn.pages != rows || !WriteFile(texts, textsFile(recorder.pages)))
        return std::fprintf(stderr, "recording the texts failed: %s\n", qPrintable(BatchOutcomeMessage(drawn))), 1;
    qsizetype count = 0;
    for (const auto& page : recorder.pages)
        count += page.size();

    // The same program beside it with the print journal switched off.
    QTemporaryDir offDir;
    QString batchOff;
    if (!InstallInto(program, offDir.path(), batchOff) || !WriteFile(offDir.filePath(QStringLiteral("historia.ini")), "viest=0\n"))
        return 1;

    const QString done = QStringLiteral("Vytlačené: %1").arg(rows);
    const QList<BenchCommand> commands = {
        {QStringLiteral("zelvana-batch, slip A"), batch,
         {"--form", "A", "--input", table, "--output", dir.filePath(QStringLiteral("slips.pdf"))}, done},
        {QStringLiteral("bare QPainter job"), QCoreApplication::applicationFilePath(),
         {"--bare", texts, dir.filePath(QStringLiteral("bare.pdf"))}, QStringLiteral("%1 pages").arg(rows)},
        {QStringLiteral("zelvana-batch, journal off"), batchOff,
         {"--form", "A", "--input", table, "--output", offDir.filePath(QStringLiteral("slips.pdf"))}, done}};
    QString error;
    const QList<BenchTimes> t = TimeInTurn(commands, runs, error);
    if (t.isEmpty())
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    std::printf("%d slip A rows (suma;hal;vsymbol;od1), %lld strings, one PDF, each a process:\n", rows,
                static_cast<long long>(count));
    std::printf("  %s\n  %s\n", qPrintable(TimesLine(QStringLiteral("zelvana-batch"), t[0])),
                qPrintable(TimesLine(QStringLiteral("bare QPainter job"), t[1])));
    std::printf("  zelvana-batch / bare QPainter: %.2f wall, %.2f CPU (aim: at most 1.5)\n",
                PairedRatio(t[0].wallMs, t[1].wallMs), PairedRatio(t[0].cpuMs, t[1].cpuMs));
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("zelvana-batch, journal off"), t[2])));
    std::printf("  journal on / off: %.2f wall, %.2f CPU (aim: at most 1.1)\n", PairedRatio(t[0].wallMs, t[2].wallMs),
                PairedRatio(t[0].cpuMs, t[2].cpuMs));
    return 0;
}
