#pragma once
// A print canvas that keeps every drawn text instead of painting it.
#include "slips/PrintCanvas.h"

#include <QList>

class RecordingCanvas : public PrintCanvas {
public:
    explicit RecordingCanvas(PageMeasures page, int dpi = 96) : page_(page), dpi_(dpi) {}
    PageMeasures measures() const override { return page_; }
    int screenDpi() const override { return dpi_; }
    bool beginDocument() override { return ++begun, true; }
    bool endDocument() override { return ++ended, true; }
    void textOut(const RotatedText& text) override { drawn.append(text); }

    QList<RotatedText> drawn;
    int begun = 0;
    int ended = 0;

private:
    PageMeasures page_;
    int dpi_;
};

// The example printer: HorzSize 200, VertSize 287, PageWidth 4724, PageHeight 6778.
inline constexpr PageMeasures ExamplePrinter{4724, 6778, 200, 287};

// Hands a canvas the test owns to a print job, which takes ownership of what
// the print dialog returns.
class ProxyCanvas : public PrintCanvas {
public:
    explicit ProxyCanvas(RecordingCanvas& target) : target_(target) { font = target.font; }
    PageMeasures measures() const override { return target_.measures(); }
    int screenDpi() const override { return target_.screenDpi(); }
    bool beginDocument() override { return target_.beginDocument(); }
    bool endDocument() override { return target_.endDocument(); }
    void textOut(const RotatedText& text) override { target_.textOut(text); }

private:
    RecordingCanvas& target_;
};
