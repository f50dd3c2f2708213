#include "slips/PrintCanvas.h"

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
    const int dpi = canvas.screenDpi() > 0 ? canvas.screenDpi() : 96;
    RotatedText t;
    t.text = text;
    t.x = x;
    t.y = y;
    t.angle = angle;
    t.emPixels = MulDiv(canvas.font.size, dpi, 72);
    t.face = canvas.font.face;
    t.size = canvas.font.size;
    canvas.textOut(t);
}

void SetBasePrintFont(PrintCanvas& canvas, std::int32_t printFontSize, const QString& printFontName,
                      long double divisor)
{
    canvas.font.size = BasePrintSize(canvas.measures(), printFontSize, divisor);
    if (!printFontName.isEmpty())
        canvas.font.face = printFontName.left(31);
}
