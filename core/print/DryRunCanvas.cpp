#include "core/print/DryRunCanvas.h"

#include "core/print/PrintFont.h"

namespace {

bool outsidePage(const RotatedText& text, const PageMeasures& page)
{
    // Measured in the font the page draws the text in.
    const TextReach reach = ReachOf(text);
    if (text.angle == 0) {
        // Upright, as a payment page writes: the letters run to the right.
        return text.x + reach.from < 0 || text.y < 0 || text.x + reach.to > page.PageWidth
               || text.y + text.emPixels > page.PageHeight;
    }
    // Turned by 270 degrees: the cell reaches from x towards smaller x, and
    // the letters run from y down the page.
    const long long left = static_cast<long long>(text.x) - text.emPixels;
    return left < 0 || text.x > page.PageWidth || text.y + reach.from < 0 || text.y + reach.to > page.PageHeight;
}

} // namespace

void DryRunCanvas::fillRects(const QList<QRect>& rects)
{
    const PageMeasures page = measures();
    for (const QRect& r : rects) {
        ++squares_;
        if (r.left() < 0 || r.top() < 0 || r.right() >= page.PageWidth || r.bottom() >= page.PageHeight)
            ++squaresOffPage_;
    }
}

DryRunCanvas::Bounds DryRunCanvas::bounds() const
{
    Bounds b{squares_, squaresOffPage_};
    const PageMeasures page = measures();
    for (const RotatedText& text : texts) {
        if (text.text.trimmed().isEmpty())
            continue; // a run of spaces leaves no mark wherever it lands
        ++b.drawn;
        if (outsidePage(text, page))
            ++b.offPage;
    }
    return b;
}
