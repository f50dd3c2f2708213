#include "core/print/PrintCanvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
    const long long r = ((p < 0) != (c < 0)) ? -q : q;
    return static_cast<int>(std::clamp<long long>(r, INT_MIN, INT_MAX));
}

void DrawRotatedText(PrintCanvas& canvas, const QString& text, int x, int y, int angle)
{
    RotatedText t;
    t.text = text;
    t.x = x;
    t.y = y;
    t.angle = angle;
    if (canvas.font.size > 0) {
        // The screen's logical height, used unchanged on the printer.
        const int dpi = canvas.screenDpi() > 0 ? canvas.screenDpi() : 96;
        t.emPixels = MulDiv(canvas.font.size, dpi, 72);
    } else {
        // A true 10 points on paper, in printer pixels.
        const int dpi = canvas.deviceDpi() > 0 ? canvas.deviceDpi() : 600;
        t.emPixels = MulDiv(DefaultPrintPoints, dpi, 72);
    }
    t.face = canvas.font.face;
    t.size = canvas.font.size;
    canvas.textOut(t);
}
