#pragma once
// Words read back from a printed PDF page, checked against the placement rule
// on the printer that printed them: turned, within 1 mm of their place.
#include "slips/Placement.h"
#include "slips/PrinterShift.h"
#include "support/PdfWords.h"

#include <QPrinter>
#include <QtTest>
#include <algorithm>

struct PlacedWord {
    QString text;
    long double xMm, yMm;
    int count = 1; // how many times the word is on the page
    int nth = 0;   // which of them, counted down the page, is at (xMm, yMm)
};

// The printer's printable area as the print jobs measure it.
inline PageMeasures measuresOf(const QPrinter& printer)
{
    return {printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
}

// Fails the running test when a word is missing, doubled or off its place.
// `shift`: device pixels every text of the job was moved by.
inline void checkPlacement(const QList<PdfWord>& words, const QPrinter& printer, long double referenceMm,
                           const QList<PlacedWord>& expected, ShiftPixels shift = {})
{
    const SlipPlacement placement(measuresOf(printer), referenceMm);
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const double ptPerPixel = 72.0 / printer.resolution();
    const double mm = 72 / 25.4;
    for (const PlacedWord& e : expected) {
        QList<PdfWord> found;
        for (const PdfWord& w : words)
            if (w.text == e.text)
                found << w;
        QVERIFY2(found.size() == e.count, qPrintable(e.text + QStringLiteral(": %1 times").arg(found.size())));
        std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
        const QRectF box = found[e.nth].box;
        // Letter tops face right.
        const double top = printable.left() + (placement.DeviceX(e.xMm) + shift.dx) * ptPerPixel;
        const double start = printable.top() + (placement.DeviceY(e.yMm) + shift.dy) * ptPerPixel;
        QVERIFY2(qAbs(box.right() - top) < mm,
                 qPrintable(e.text + QStringLiteral(": top edge at %1 pt, rule says %2").arg(box.right()).arg(top)));
        QVERIFY2(qAbs(box.top() - start) < mm,
                 qPrintable(e.text + QStringLiteral(": starts at %1 pt, rule says %2").arg(box.top()).arg(start)));
        if (e.text.size() > 2) // turned: the word runs down the page
            QVERIFY2(box.height() > box.width(), qPrintable(e.text + " is not turned"));
    }
}
