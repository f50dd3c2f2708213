#pragma once
// A print canvas that keeps every drawn text instead of painting it.
#include "core/print/PrintCanvas.h"

#include <QList>

class RecordingCanvas : public PrintCanvas {
public:
    // `deviceDpi`: the printer's resolution, 600 for the example printer.
    explicit RecordingCanvas(PageMeasures page, int dpi = 96, int deviceDpi = 600)
        : page_(page), dpi_(dpi), deviceDpi_(deviceDpi)
    {
    }
    PageMeasures measures() const override { return page_; }
    int screenDpi() const override { return dpi_; }
    int deviceDpi() const override { return deviceDpi_; }
    QString printerName() const override { return QStringLiteral("recorder"); }
    bool beginDocument() override { return ++begun, acceptBegin; }
    bool newPage() override { return ++pages, acceptNewPage; }
    bool endDocument() override { return ++ended, acceptEnd; }
    void textOut(const RotatedText& text) override { drawn.append(text); }
    void drawGuide(const Guide& guide) override { guides.append(guide); }
    void fillRects(const QList<QRect>& r) override { rects.append(r); }

    QList<RotatedText> drawn;
    QList<QRect> rects;
    QList<Guide> guides;
    int begun = 0;
    int pages = 0; // newPage calls
    int ended = 0;
    bool acceptBegin = true;
    bool acceptNewPage = true;
    bool acceptEnd = true;

private:
    PageMeasures page_;
    int dpi_;
    int deviceDpi_;
};

// The example printer: HorzSize 200, VertSize 287, PageWidth 4724, PageHeight 6778.
inline constexpr PageMeasures ExamplePrinter{4724, 6778, 200, 287};

// A recorder on the example printer that remembers where each page begins.
class PagedRecorder : public RecordingCanvas {
public:
    PagedRecorder() : RecordingCanvas(ExamplePrinter) {}
    bool newPage() override
    {
        starts << drawn.size();
        return RecordingCanvas::newPage();
    }
    QList<qsizetype> starts{0};
    QList<RotatedText> page(int i) const
    {
        const qsizetype to = i + 1 < starts.size() ? starts[i + 1] : drawn.size();
        return drawn.mid(starts[i], to - starts[i]);
    }
};

// Hands a canvas the test owns to a print job, which takes ownership of what
// the print dialog returns.
class ProxyCanvas : public PrintCanvas {
public:
    explicit ProxyCanvas(RecordingCanvas& target) : target_(target) { font = target.font; }
    PageMeasures measures() const override { return target_.measures(); }
    int screenDpi() const override { return target_.screenDpi(); }
    int deviceDpi() const override { return target_.deviceDpi(); }
    QString printerName() const override { return target_.printerName(); }
    bool beginDocument() override { return target_.beginDocument(); }
    bool newPage() override { return target_.newPage(); }
    bool endDocument() override { return target_.endDocument(); }
    void textOut(const RotatedText& text) override { target_.textOut(text); }
    void drawGuide(const Guide& guide) override { target_.drawGuide(guide); }
    void fillRects(const QList<QRect>& rects) override { target_.fillRects(rects); }

private:
    RecordingCanvas& target_;
};
