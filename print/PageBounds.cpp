#include "print/PageBounds.h"

void BoundsCanvas::textOut(const RotatedText& text)
{
    const QString visible = text.text.trimmed();
    if (visible.isEmpty())
        return; // a run of spaces leaves no mark wherever it lands
    ++drawn;
    // Turned by 270 degrees: the cell reaches from x towards smaller x, and
    // the letters run from y down the page, about half an em each.
    const long long left = static_cast<long long>(text.x) - text.emPixels;
    const long long bottom = text.y + static_cast<long long>(visible.size()) * text.emPixels / 2;
    if (left < 0 || text.x > page_.PageWidth || text.y < 0 || bottom > page_.PageHeight)
        ++offPage;
}
