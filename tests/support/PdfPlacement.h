#pragma once
// Words of a printed PDF page against the placement rule: each expected word is
// on the page as often as the layout draws it, and one of them is turned, with
// its letter tops and its start within 1 mm of where the rule puts the row.
#include "core/print/Placement.h"
#include "core/print/PrinterShift.h"
#include "support/PdfWords.h"

#include <QPrinter>
#include <QtTest>
#include <algorithm>

struct PdfExpect {
    QString text;
    long double xMm, yMm;
    int count = 1; // how many times the word is on the page
};

// The measures the program reads from `printer`.
inline PageMeasures measuresOf(const QPrinter& printer)
{
    return {printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
}

// Checks `words` (one page) printed on `printer` with the form reference
// `referenceMm`, every text moved by `shift` device pixels; returns false
// after the first mismatch, which QVERIFY reports.
inline bool checkPdfPlacement(const QList<PdfWord>& words, const QPrinter& printer, long double referenceMm,
                              const QList<PdfExpect>& expected, ShiftPixels shift = {})
{
    const SlipPlacement placement(measuresOf(printer), referenceMm);
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const double ptPerPixel = 72.0 / printer.resolution();
    const double mm = 72 / 25.4;
    for (const PdfExpect& e : expected) {
        QList<PdfWord> found;
        for (const PdfWord& wd : words)
            if (wd.text == e.text)
                found << wd;
        [&] { QVERIFY2(found.size() == e.count, qPrintable(e.text + QStringLiteral(": %1 times, not %2").arg(found.size()).arg(e.count))); }();
        if (QTest::currentTestFailed())
            return false;
        if (found.isEmpty()) // expected nowhere on the page
            continue;
        const double top = printable.left() + (placement.DeviceX(e.xMm) + shift.dx) * ptPerPixel; // letter tops face right
        const double start = printable.top() + (placement.DeviceY(e.yMm) + shift.dy) * ptPerPixel;
        // The one nearest the row's place; the others belong to other rows.
        const auto distance = [&](const PdfWord& w) { return qAbs(w.box.right() - top) + qAbs(w.box.top() - start); };
        const PdfWord& word = *std::min_element(found.begin(), found.end(),
                                                [&](auto& a, auto& b) { return distance(a) < distance(b); });
        [&] {
            QVERIFY2(qAbs(word.box.right() - top) < mm,
                     qPrintable(e.text + QStringLiteral(": top edge at %1 pt, rule says %2").arg(word.box.right()).arg(top)));
            QVERIFY2(qAbs(word.box.top() - start) < mm,
                     qPrintable(e.text + QStringLiteral(": starts at %1 pt, rule says %2").arg(word.box.top()).arg(start)));
            if (e.text.size() > 2) // turned: the word runs down the page
                QVERIFY2(word.box.height() > word.box.width(), qPrintable(e.text + " is not turned"));
        }();
        if (QTest::currentTestFailed())
            return false;
    }
    return true;
}
