// The placement rule, the base print font and the font factor steps, exact to
// the pixel and the point.
#include "core/print/Placement.h"
#include "core/print/PrintCanvas.h"
#include "core/print/PrintJob.h"
#include "support/RecordingCanvas.h"

#include <QtTest>

// Round half to even of the exact rational a / b (b > 0).
static long long exactRound(long long a, long long b)
{
    long long q = a / b, r = a % b;
    if (r < 0) {
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && (q & 1)))
        ++q;
    return q;
}

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        const SlipPlacement slipA(ExamplePrinter, 102);
        QCOMPARE(slipA.RefX(), 4724 * (102.0 / 200));
        QCOMPARE(qRound(slipA.RefX() * 100), 240924);
        QCOMPARE(slipA.DeviceX(8), 2220);
        QCOMPARE(slipA.DeviceY(39), 921);
        QCOMPARE(BasePrintSize(ExamplePrinter, 10, SlipFontDivisor), 77);
        QCOMPARE(MulDiv(77, 96, 72), 103); // the em height in printer pixels
    }

    void termsAreRoundedSeparately()
    {
        // Round(4724 x 80 / 200) would give 1890; the rule gives one less.
        const SlipPlacement slipC(ExamplePrinter, 102);
        QCOMPARE(slipC.DeviceX(22), 1889);
        QCOMPARE(exactRound(4724LL * 80, 200), 1890LL);
    }

    void placementMatchesExactArithmetic()
    {
        // Over whole millimetres the doubles of the rule agree with exact
        // fractions, ties to even included (4724 x 25 / 200 = 590.5).
        const PageMeasures printers[] = {ExamplePrinter, {4961, 7016, 210, 297}, {2480, 3508, 210, 297},
                                         {4800, 6600, 203, 279}};
        for (const PageMeasures& page : printers) {
            for (int r : {102, 104}) {
                const SlipPlacement placement(page, r);
                const long long refX = exactRound(static_cast<long long>(page.PageWidth) * r, page.HorzSize);
                for (int mm = 0; mm <= 300; ++mm) {
                    QCOMPARE(placement.DeviceX(mm),
                             int(refX - exactRound(static_cast<long long>(page.PageWidth) * mm, page.HorzSize)));
                    QCOMPARE(placement.DeviceY(mm),
                             int(exactRound(static_cast<long long>(page.PageHeight) * mm, page.VertSize)));
                }
            }
        }
        QCOMPARE(SlipPlacement(ExamplePrinter, 102).DeviceX(25), 2409 - 590);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("188.96") << 188.96 << 189;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(RoundHalfEven(value), rounded);
    }

    void basePrintSize_data()
    {
        QTest::addColumn<int>("pageHeight");
        QTest::addColumn<int>("horzSize");
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<int>("size");
        QTest::newRow("example printer") << 6778 << 200 << 10 << 77;
        // 16 / 4.4 x 15.125 is 55 exactly; 4.4 held just above 4.4 gives 54.
        QTest::newRow("exact whole number comes out one less") << 3025 << 200 << 16 << 54;
        QTest::newRow("truncated, not rounded") << 6860 << 200 << 10 << 77; // 77.95
        QTest::newRow("size 0") << 6778 << 200 << 0 << 0;
        QTest::newRow("negative size truncates toward zero") << 6778 << 200 << -10 << -77;
        QTest::newRow("a damaged size saturates") << 6778 << 200 << std::numeric_limits<int>::max()
                                                  << std::numeric_limits<int>::max();
    }
    void basePrintSize()
    {
        QFETCH(int, pageHeight);
        QFETCH(int, horzSize);
        QFETCH(int, fontSize);
        QFETCH(int, size);
        QCOMPARE(BasePrintSize({4724, pageHeight, horzSize, 287}, fontSize, SlipFontDivisor), size);
    }

    void fontSteps_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("result");
        QTest::newRow("45 x 0.7") << 45 << int(FontStep::Reduce07) << 32; // the double of 0.7 would give 31
        QTest::newRow("25 x 0.7") << 25 << int(FontStep::Reduce07) << 18;
        QTest::newRow("45 x 0.9") << 45 << int(FontStep::Reduce09) << 40;
        QTest::newRow("70 / 0.8") << 70 << int(FontStep::Back08) << 88;
        QTest::newRow("75 x 0.7") << 75 << int(FontStep::Reduce07) << 52;
        QTest::newRow("52 / 0.7") << 52 << int(FontStep::Back07) << 74;
        QTest::newRow("65 x 0.9") << 65 << int(FontStep::Reduce09) << 58;
        QTest::newRow("14 x 0.9") << 14 << int(FontStep::Reduce09) << 13;
        QTest::newRow("13 x 0.8") << 13 << int(FontStep::Reduce08) << 10;
        QTest::newRow("10 / 0.8") << 10 << int(FontStep::Back08) << 12;
        QTest::newRow("no step") << 33 << int(FontStep::None) << 33;
    }
    void fontSteps()
    {
        QFETCH(int, size);
        QFETCH(int, step);
        QFETCH(int, result);
        QCOMPARE(ApplyFontStep(size, FontStep(step)), result);
    }

    void fontStepsAgreeWithExactDecimals()
    {
        struct Step {
            FontStep step;
            long long num, den; // size x num / den
        } steps[] = {{FontStep::Reduce07, 7, 10}, {FontStep::Back07, 10, 7}, {FontStep::Reduce08, 4, 5},
                     {FontStep::Back08, 5, 4},    {FontStep::Reduce09, 9, 10}};
        for (const Step& s : steps)
            for (int size = 0; size <= 5000; ++size)
                QCOMPARE(ApplyFontStep(size, s.step), int(exactRound(size * s.num, s.den)));
    }

    void drawRotatedTextLeavesTheCanvasFont()
    {
        RecordingCanvas canvas(ExamplePrinter);
        canvas.font = {QStringLiteral("Courier New"), 77};
        DrawRotatedText(canvas, QStringLiteral("-5-"), 2220, 921, 270);
        QCOMPARE(canvas.font.size, 77);
        QCOMPARE(canvas.font.face, QStringLiteral("Courier New"));
        QCOMPARE(canvas.drawn.size(), 1);
        const RotatedText& t = canvas.drawn.first();
        QCOMPARE(t.emPixels, 103);
        QCOMPARE(t.angle, 270);
        QCOMPARE(QPoint(t.x, t.y), QPoint(2220, 921));

        RecordingCanvas highDpi(ExamplePrinter, 120);
        highDpi.font.size = 10;
        DrawRotatedText(highDpi, QStringLiteral("x"), 0, 0, 270);
        QCOMPARE(highDpi.drawn.first().emPixels, 17); // 16.67 rounds up

        RecordingCanvas huge(ExamplePrinter);
        huge.font.size = std::numeric_limits<int>::max();
        DrawRotatedText(huge, QStringLiteral("x"), 0, 0, 270);
        QCOMPARE(huge.drawn.first().emPixels, std::numeric_limits<int>::max());
        QCOMPARE(ApplyFontStep(std::numeric_limits<int>::max(), FontStep::Back07), std::numeric_limits<int>::max());

        RecordingCanvas unknownDpi(ExamplePrinter, 0);
        unknownDpi.font.size = 9;
        DrawRotatedText(unknownDpi, QStringLiteral("x"), 0, 0, 270);
        QCOMPARE(unknownDpi.drawn.first().emPixels, 12); // 96 where nothing is known
    }

    void baseFontFaceIsCutAndEmptyKeepsTheFace()
    {
        RecordingCanvas canvas(ExamplePrinter);
        canvas.font.face = QStringLiteral("Before");
        SetBasePrintFont(canvas, {10, QString()});
        QCOMPARE(canvas.font.face, QStringLiteral("Before"));
        QCOMPARE(canvas.font.size, 77);
        SetBasePrintFont(canvas, {10, QString(40, QLatin1Char('F'))});
        QCOMPARE(canvas.font.face, QString(31, QLatin1Char('F')));
    }
};

QTEST_APPLESS_MAIN(PlacementTest)
#include "test_placement.moc"
