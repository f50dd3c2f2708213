#include "slips/QtPrintCanvas.h"

#include <algorithm>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

QtPrintCanvas::QtPrintCanvas(QPrinter& printer) : printer_(printer)
{
    // Without a stored face, a fixed-pitch face, as the text asks for one.
    font.face = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

PageMeasures QtPrintCanvas::measures() const
{
    // The printable area, in pixels and in whole millimetres.
    return {printer_.width(), printer_.height(), printer_.widthMM(), printer_.heightMM()};
}

int QtPrintCanvas::screenDpi() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInchY()) : 0;
    return dpi > 0 ? dpi : 96;
}

bool QtPrintCanvas::beginDocument() { return painter_.begin(&printer_); }

bool QtPrintCanvas::endDocument() { return painter_.end(); }

void QtPrintCanvas::textOut(const RotatedText& t)
{
    QFont f(t.face);
    f.setPixelSize(std::clamp(t.emPixels, 1, 32767)); // a damaged size must not break the painter
    f.setFixedPitch(true);
    f.setStyleHint(QFont::TypeWriter);
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
