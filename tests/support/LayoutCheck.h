#pragma once
// Compares what a print job drew with rows written out as the slip tables give
// them: visible text, millimetres, font size and trailing spaces.
#include "support/RecordingCanvas.h"

#include <QString>
#include <QtTest>

struct ExpectedRow {
    QString text;
    int xMm;
    int yMm;
    int size;
    int spaces = 44;
};

// Exact Round(a / b), halves to even.
inline long long exactRoundDiv(long long a, long long b)
{
    long long q = a / b, r = a % b;
    if (2 * r > b || (2 * r == b && (q & 1)))
        ++q;
    return q;
}

inline bool checkRows(const QList<RotatedText>& drawn, const QList<ExpectedRow>& expected, const PageMeasures& page,
                      int referenceMm)
{
    const long long refX = exactRoundDiv(static_cast<long long>(page.PageWidth) * referenceMm, page.HorzSize);
    [&] { QCOMPARE(drawn.size(), expected.size()); }();
    if (QTest::currentTestFailed())
        return false;
    for (int i = 0; i < expected.size(); ++i) {
        const ExpectedRow& e = expected[i];
        const RotatedText& d = drawn[i];
        const QString where = QStringLiteral("row %1 (%2)").arg(i + 1).arg(e.text);
        const int x = int(refX - exactRoundDiv(static_cast<long long>(page.PageWidth) * e.xMm, page.HorzSize));
        const int y = int(exactRoundDiv(static_cast<long long>(page.PageHeight) * e.yMm, page.VertSize));
        [&] {
            QVERIFY2(d.text == e.text + QString(e.spaces, QLatin1Char(' ')),
                     qPrintable(where + ": drew \"" + d.text + "\""));
            QVERIFY2(d.x == x && d.y == y, qPrintable(where + QStringLiteral(": at %1,%2 not %3,%4").arg(d.x).arg(d.y).arg(x).arg(y)));
            QVERIFY2(d.angle == 270, qPrintable(where));
            QVERIFY2(d.size == e.size, qPrintable(where + QStringLiteral(": size %1 not %2").arg(d.size).arg(e.size)));
            QVERIFY2(d.emPixels == (e.size * 96 * 2 + 72) / 144, qPrintable(where + ": em height"));
        }();
        if (QTest::currentTestFailed())
            return false;
    }
    return true;
}
