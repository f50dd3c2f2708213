#pragma once
// A canvas that holds a printer's measures and draws nothing: the dry runs'
// canvas (DryRunCanvas) builds on it, and a check beside the window reads
// the printer through it without touching the printer itself.
#include "core/print/PrintCanvas.h"

class MeasuresCanvas : public PrintCanvas {
public:
    MeasuresCanvas(PageMeasures page, int screenDpi, int deviceDpi, QString printer = {}, QString file = {})
        : page_(page), screenDpi_(screenDpi), deviceDpi_(deviceDpi), printer_(std::move(printer)), file_(std::move(file))
    {
    }
    // The measures, name, file and font `like` has now.
    explicit MeasuresCanvas(const PrintCanvas& like)
        : MeasuresCanvas(like.measures(), like.screenDpi(), like.deviceDpi(), like.printerName(), like.outputFile())
    {
        font = like.font;
    }
    PageMeasures measures() const override { return page_; }
    int screenDpi() const override { return screenDpi_; }
    int deviceDpi() const override { return deviceDpi_; }
    QString printerName() const override { return printer_; }
    QString outputFile() const override { return file_; }
    bool beginDocument() override { return true; }
    bool newPage() override { return true; }
    bool endDocument() override { return true; }
    void textOut(const RotatedText&) override {}
    void drawGuide(const Guide&) override {}
    void fillRects(const QList<QRect>&) override {}

private:
    PageMeasures page_;
    int screenDpi_;
    int deviceDpi_;
    QString printer_;
    QString file_;
};
