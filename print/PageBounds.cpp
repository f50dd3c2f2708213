#include "print/PageBounds.h"

void BoundsCanvas::textOut(const RotatedText& text)
{
    const QString visible = text.text.trimmed();
    if (visible.isEmpty())
        return; // a run of spaces leaves no mark wherever it lands
    ++drawn;
    if (text.angle == 0) {
        // Upright, as a payment page writes: about 0.6 em a letter, a fixed-pitch face.
        const long long right = text.x + static_cast<long long>(visible.size()) * text.emPixels * 6 / 10;
        if (text.x < 0 || text.y < 0 || right > page_.PageWidth || text.y + text.emPixels > page_.PageHeight)
            ++offPage;
        return;
    }
    // Turned by 270 degrees: the cell reaches from x towards smaller x, and
    // the letters run from y down the page, about half an em each.
    const long long left = static_cast<long long>(text.x) - text.emPixels;
    const long long bottom = text.y + static_cast<long long>(visible.size()) * text.emPixels / 2;
    if (left < 0 || text.x > page_.PageWidth || text.y < 0 || bottom > page_.PageHeight)
        ++offPage;
}

void BoundsCanvas::fillRects(const QList<QRect>& rects)
{
    for (const QRect& r : rects) {
        ++drawn;
        if (r.left() < 0 || r.top() < 0 || r.right() >= page_.PageWidth || r.bottom() >= page_.PageHeight)
            ++offPage;
    }
}
