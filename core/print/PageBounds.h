#pragma once
// A canvas that draws nothing and counts the texts a job would put outside
// the printable area, so a user is warned before a form is wasted.
#include "core/print/MeasuresCanvas.h"

class BoundsCanvas : public MeasuresCanvas {
public:
    using MeasuresCanvas::MeasuresCanvas;
    void textOut(const RotatedText& text) override;
    void fillRects(const QList<QRect>& rects) override;

    int offPage = 0; // texts (and filled squares) with a visible mark outside the page
    int drawn = 0;
};
