#pragma once
// The print canvas on a real page through QPainter: any paged device, so a
// CUPS printer, a PDF file and a preview all get the same drawing.
#include "core/print/PrintCanvas.h"

#include <QPainter>
#include <functional>

class QPaintDevice;
class QPagedPaintDevice;

class QtPrintCanvas : public PrintCanvas {
public:
    // `outputFile`: the file the device writes, when it writes one (a PDF);
    // it is checked when the document ends. `queueTakesJobs`: whether the
    // printer's queue takes the job, asked before it begins and once it has
    // been handed over, as the device itself does not tell.
    explicit QtPrintCanvas(QPagedPaintDevice& device, QString printerName = {}, QString outputFile = {},
                           std::function<bool()> queueTakesJobs = {});
    // One page on any device, an image for instance; it has no next page.
    explicit QtPrintCanvas(QPaintDevice& device);
    PageMeasures measures() const override;
    int screenDpi() const override;
    int deviceDpi() const override;
    QString printerName() const override { return printerName_; }
    bool beginDocument() override;
    bool newPage() override;
    bool endDocument() override;
    void textOut(const RotatedText& text) override;
    void drawGuide(const Guide& guide) override;
    void fillRects(const QList<QRect>& rects) override;

private:
    QPaintDevice& device_;
    QPagedPaintDevice* paged_ = nullptr;
    QString printerName_;
    QString outputFile_;
    std::function<bool()> queueTakesJobs_;
    QPainter painter_;
};

// True when `path` holds a whole PDF file: the header, and at its end the
// cross-reference offset that points at the cross-reference table.
bool IsCompletePdf(const QString& path);
