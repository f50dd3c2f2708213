#include "core/print/PageBounds.h"

#include "core/print/PrintFont.h"

void BoundsCanvas::textOut(const RotatedText& text)
{
    const QString visible = text.text.trimmed();
    if (visible.isEmpty())
        return; // a run of spaces leaves no mark wherever it lands
    ++drawn;
    const PageMeasures page = measures();
    // Measured in the font the page draws the text in.
    const TextReach reach = ReachOf(text);
    if (text.angle == 0) {
        // Upright, as a payment page writes: the letters run to the right.
        if (text.x + reach.from < 0 || text.y < 0 || text.x + reach.to > page.PageWidth
            || text.y + text.emPixels > page.PageHeight)
            ++offPage;
        return;
    }
    // Turned by 270 degrees: the cell reaches from x towards smaller x, and
    // the letters run from y down the page.
    const long long left = static_cast<long long>(text.x) - text.emPixels;
    if (left < 0 || text.x > page.PageWidth || text.y + reach.from < 0 || text.y + reach.to > page.PageHeight)
        ++offPage;
}

void BoundsCanvas::fillRects(const QList<QRect>& rects)
{
    const PageMeasures page = measures();
    for (const QRect& r : rects) {
        ++drawn;
        if (r.left() < 0 || r.top() < 0 || r.right() >= page.PageWidth || r.bottom() >= page.PageHeight)
            ++offPage;
    }
}
