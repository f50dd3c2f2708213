#pragma once
// The printer page as the print jobs see it: page measures, the canvas font
// and text output turned by an angle. QtPrintCanvas paints on any paged device
// (a CUPS printer, a PDF file, a preview); tests use a recorder.
#include "core/print/Placement.h"
#include <QImage>
#include <QLine>
#include <QRect>
#include <QTransform>
#include <QList>
#include <QString>

struct CanvasFont {
    QString face;
    int size = 0; // points
};

// One text as it goes onto the page.
struct RotatedText {
    QString text;
    int x = 0; // device pixels: the top-left corner of the text cell in its own rotated frame
    int y = 0;
    int angle = 0;    // degrees counter-clockwise
    int emPixels = 0; // em height in device pixels
    QString face;
    int size = 0; // the canvas font size in points when drawn
};

// Lines and small texts that show the form itself: pale under a preview's
// text, black on an alignment sheet. Never part of a real slip print.
struct Guide {
    struct Text {
        QString text;
        int x = 0; // as RotatedText: the top-left corner of the turned text cell
        int y = 0;
        int emPixels = 0;
        int angle = 270; // counter-clockwise, like the slip's own
    };
    // A scan of the form, drawn beneath the lines: a user form's background.
    struct Picture {
        QImage image;
        QTransform toDevice; // image pixels to device pixels
    };
    QList<QLine> lines; // device pixels
    QList<Text> texts;
    QList<Picture> pictures;
    bool pale = true;
};

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    virtual PageMeasures measures() const = 0;
    virtual int screenDpi() const = 0; // the display's logical pixels per inch
    virtual int deviceDpi() const = 0; // the printer's pixels per inch
    virtual QString printerName() const = 0;
    // The file the job writes, as the user named it; empty for a printer.
    virtual QString outputFile() const { return {}; }
    // Each returns false when the printer or the output file refused the job;
    // endDocument also when the output could not be written whole.
    virtual bool beginDocument() = 0;
    virtual bool newPage() = 0;
    virtual bool endDocument() = 0;
    // Why the output refused the job, when it can say more than that it did.
    virtual QString failure() const { return {}; }
    // Draws with a fixed-pitch preference and a transparent background.
    virtual void textOut(const RotatedText& text) = 0;
    virtual void drawGuide(const Guide& guide) = 0;
    // Fills each rectangle (device pixels) solid black, edges unsmoothed: the
    // squares of a QR code.
    virtual void fillRects(const QList<QRect>& rects) = 0;

    CanvasFont font; // carries over from one drawn text to the next
};

// MulDiv as the old platform had it: a x b / c, rounded half away from zero.
int MulDiv(int a, int b, int c);

// A font size of 0 or below prints at this size on paper, as the old font
// mapper took a height of 0 for its default.
constexpr int DefaultPrintPoints = 10;

// Draws `text` at (x, y) turned by `angle`, in the canvas font at an em height
// of MulDiv(size, ScreenDpi, 72) device pixels. The canvas font is unchanged.
void DrawRotatedText(PrintCanvas& canvas, const QString& text, int x, int y, int angle);
