#pragma once
// The one canvas of the dry runs: it draws nothing and records what a job
// would draw. The fit check reads the texts it kept; the preview's line asks
// how many marks would fall outside the printable area.
#include "core/print/MeasuresCanvas.h"

class DryRunCanvas : public MeasuresCanvas {
public:
    using MeasuresCanvas::MeasuresCanvas;
    void textOut(const RotatedText& text) override { texts.append(text); }
    // Squares (a QR code's) are many and only counted.
    void fillRects(const QList<QRect>& rects) override;

    QList<RotatedText> texts;

    struct Bounds {
        int drawn = 0;   // visible marks: texts that are not blank, and squares
        int offPage = 0; // those with a part outside the page
    };
    Bounds bounds() const;

private:
    int squares_ = 0;
    int squaresOffPage_ = 0;
};
