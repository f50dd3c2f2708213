#pragma once
// The font a canvas text is drawn in, and how far its letters reach along
// the line: the print and every check before it measure the same font.
#include "core/print/PrintCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>

inline QFont PrintFontOf(const RotatedText& t)
{
    QFont f(t.face);
    f.setPixelSize(std::clamp(t.emPixels, 1, 32767)); // a damaged size must not break the painter
    f.setFixedPitch(true);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

// Along the line from the text's origin, device pixels: where its first
// visible letter begins and its last ends, and the width of a blank.
struct TextReach {
    double from = 0;
    double to = 0;
    double blank = 0;
    double lastLetter = 0; // the last visible letter's width
};

inline TextReach ReachOf(const RotatedText& t)
{
    const QFontMetricsF metrics(PrintFontOf(t));
    const QString visible = t.text.trimmed();
    TextReach r;
    r.blank = metrics.horizontalAdvance(QLatin1Char(' '));
    if (visible.isEmpty())
        return r;
    const qsizetype lead = t.text.indexOf(visible.front());
    r.from = metrics.horizontalAdvance(t.text.left(lead));
    r.to = metrics.horizontalAdvance(t.text.left(lead + visible.size()));
    r.lastLetter = metrics.horizontalAdvance(visible.back());
    return r;
}
