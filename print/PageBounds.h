#pragma once
// A canvas that draws nothing and counts the texts a job would put outside
// the printable area, so a user is warned before a form is wasted.
#include "print/PrintCanvas.h"

class BoundsCanvas : public PrintCanvas {
public:
    BoundsCanvas(PageMeasures page, int screenDpi, int deviceDpi, QString printer)
        : page_(page), screenDpi_(screenDpi), deviceDpi_(deviceDpi), printer_(std::move(printer))
    {
    }
    PageMeasures measures() const override { return page_; }
    int screenDpi() const override { return screenDpi_; }
    int deviceDpi() const override { return deviceDpi_; }
    QString printerName() const override { return printer_; }
    bool beginDocument() override { return true; }
    bool newPage() override { return true; }
    bool endDocument() override { return true; }
    void textOut(const RotatedText& text) override;
    void drawGuide(const Guide&) override {}
    void fillRects(const QList<QRect>& rects) override;

    int offPage = 0; // texts (and filled squares) with a visible mark outside the page
    int drawn = 0;

private:
    PageMeasures page_;
    int screenDpi_;
    int deviceDpi_;
    QString printer_;
};
