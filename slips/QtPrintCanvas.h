#pragma once
// The print canvas on a real printer or PDF file, through QPainter.
#include "slips/PrintCanvas.h"

#include <QPainter>

class QPrinter;

class QtPrintCanvas : public PrintCanvas {
public:
    explicit QtPrintCanvas(QPrinter& printer);
    PageMeasures measures() const override;
    int screenDpi() const override;
    bool beginDocument() override;
    bool endDocument() override;
    void textOut(const RotatedText& text) override;

private:
    QPrinter& printer_;
    QPainter painter_;
};
