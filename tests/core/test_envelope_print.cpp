// The envelope's print on its own, with no window: where each line of the
// three blocks lands in printer pixels, in what size, and that no template
// value, however absurd, breaks the job.
#include "core/forms/envelope/EnvelopePrint.h"
#include "core/print/PrintCanvas.h"
#include "support/PrintWrappers.h"
#include "support/RecordingCanvas.h"

#include <QtTest>
#include <algorithm>
#include <climits>

namespace {

const QString Spaces(44, QLatin1Char(' '));

struct Drawn {
    QString text;
    int x, y, size;
};

QList<Drawn> simplified(const QList<RotatedText>& drawn)
{
    QList<Drawn> out;
    for (const RotatedText& t : drawn)
        out.append({t.text, t.x, t.y, t.size});
    return out;
}

} // namespace

Q_DECLARE_METATYPE(EnvelopeTemplate)

class EnvelopePrintTest : public QObject {
    Q_OBJECT
private slots:
    void memoLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("one line") << "Eva" << QStringList{"Eva"};
        QTest::newRow("closing break adds no line") << "Eva\n" << QStringList{"Eva"};
        QTest::newRow("empty line inside") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("two closing breaks keep one empty line") << "a\n\n" << QStringList{"a", ""};
        QTest::newRow("a lone break is one empty line") << "\n" << QStringList{""};
        QTest::newRow("CR LF and CR") << "a\r\nb\rc" << QStringList{"a", "b", "c"};
        QTest::newRow("paragraph and line separators") << QString::fromUtf16(u"a\u2029b\u2028c") << QStringList{"a", "b", "c"};
        QTest::newRow("spaces are kept") << "  a  \n b" << QStringList{"  a  ", " b"};
    }
    void memoLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(MemoTextLines(text), lines);
    }

    void workedExample()
    {
        // W 110, H 220, SF 9, RF 11 on the example printer.
        RecordingCanvas canvas(ExamplePrinter);
        const EnvelopeLines lines{{"Odosielatel"}, {"Poznamka"}, {"Adresat"}};
        QCOMPARE(PrintEnvelope(canvas, {110, 220, 11, 9}, lines, QStringLiteral("Courier")), PrintOutcome::Printed);
        QCOMPARE(canvas.begun, 1);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(canvas.pages, 0); // one page, no page break
        QCOMPARE(canvas.drawn.size(), 3);
        const QList<RotatedText>& d = canvas.drawn;
        QCOMPARE(d[0].text, "Odosielatel" + Spaces);
        QCOMPARE(QPoint(d[0].x, d[0].y), QPoint(2436, 236));
        QCOMPARE(d[0].size, 61);
        QCOMPARE(d[0].emPixels, 81); // 61 points at 96 dpi, used as printer pixels
        QCOMPARE(d[1].text, "Poznamka" + Spaces);
        QCOMPARE(QPoint(d[1].x, d[1].y), QPoint(1997, 236));
        QCOMPARE(d[1].size, 61);
        QCOMPARE(d[2].text, "Adresat" + Spaces);
        QCOMPARE(QPoint(d[2].x, d[2].y), QPoint(1039, 3117));
        QCOMPARE(d[2].size, 74);
        QCOMPARE(d[2].emPixels, 99);
        for (const RotatedText& t : d) {
            QCOMPARE(t.angle, 270);
            QCOMPARE(t.face, QStringLiteral("Courier"));
        }
    }

    void linesStepByHalfTheFontValue()
    {
        RecordingCanvas canvas(ExamplePrinter);
        const EnvelopeLines lines{{"s0", "s1", "s2"}, {"n0", "n1", "n2"}, {"r0", "r1", "r2"}};
        QCOMPARE(PrintEnvelope(canvas, {110, 220, 11, 9}, lines, QString()), PrintOutcome::Printed);
        // Worked out by hand: x = 2598 - Round(4724 x mm / 200).
        const QList<Drawn> expected = {
            {"s0", 2436, 236, 61}, {"s1", 2329, 236, 61}, {"s2", 2223, 236, 61},
            {"n0", 1997, 236, 61}, {"n1", 1891, 236, 61}, {"n2", 1785, 236, 61},
            {"r0", 1039, 3117, 74}, {"r1", 909, 3117, 74}, {"r2", 779, 3117, 74},
        };
        const QList<Drawn> got = simplified(canvas.drawn);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].text, expected[i].text + Spaces);
            QCOMPARE(QPoint(got[i].x, got[i].y), QPoint(expected[i].x, expected[i].y));
            QCOMPARE(got[i].size, expected[i].size);
        }
    }

    void emptyBlocksPrintNothingAndEmptyLinesStillStep()
    {
        RecordingCanvas canvas(ExamplePrinter);
        const EnvelopeLines lines{{}, {"n0", "", "n2"}, {}};
        QCOMPARE(PrintEnvelope(canvas, {110, 220, 11, 9}, lines, QString()), PrintOutcome::Printed);
        QCOMPARE(canvas.drawn.size(), 3);
        QCOMPARE(canvas.drawn[0].text, "n0" + Spaces);
        QCOMPARE(canvas.drawn[1].text, Spaces); // leaves no mark
        QCOMPARE(canvas.drawn[1].x, 1891);
        QCOMPARE(canvas.drawn[2].x, 1785); // two spacings below the first
        QCOMPARE(canvas.drawn[2].text, "n2" + Spaces);

        RecordingCanvas none(ExamplePrinter);
        QCOMPARE(PrintEnvelope(none, {110, 220, 11, 9}, {}, QString()), PrintOutcome::Printed);
        QVERIFY(none.drawn.isEmpty());
        QCOMPARE(none.begun, 1);
        QCOMPARE(none.ended, 1);
    }

    void heightZeroPutsTheRecipientAtTheLeftEdge()
    {
        RecordingCanvas canvas(ExamplePrinter);
        QCOMPARE(PrintEnvelope(canvas, {110, 0, 11, 9}, {{"s"}, {"n"}, {"r"}}, QString()), PrintOutcome::Printed);
        QCOMPARE(simplified(canvas.drawn).size(), 3);
        QCOMPARE(QPoint(canvas.drawn[0].x, canvas.drawn[0].y), QPoint(2436, 236)); // 10 mm from the left edge
        QCOMPARE(QPoint(canvas.drawn[1].x, canvas.drawn[1].y), QPoint(1997, 236));
        QCOMPARE(QPoint(canvas.drawn[2].x, canvas.drawn[2].y), QPoint(1039, 0));
    }

    void theSameJobTwiceDrawsTheSame()
    {
        RecordingCanvas canvas(ExamplePrinter);
        const EnvelopeLines lines{{"a", "b"}, {"c"}, {"d", "", "e"}};
        PrintEnvelope(canvas, {114, 162, 11, 9}, lines, QStringLiteral("Courier"));
        const QList<Drawn> first = simplified(canvas.drawn);
        canvas.drawn.clear();
        // The canvas keeps the recipient's size from the first job; the second sets it again.
        QCOMPARE(canvas.font.size, 74);
        PrintEnvelope(canvas, {114, 162, 11, 9}, lines, QStringLiteral("Courier"));
        const QList<Drawn> second = simplified(canvas.drawn);
        QCOMPARE(second.size(), first.size());
        for (qsizetype i = 0; i < first.size(); ++i) {
            QCOMPARE(second[i].text, first[i].text);
            QCOMPARE(QPoint(second[i].x, second[i].y), QPoint(first[i].x, first[i].y));
            QCOMPARE(second[i].size, first[i].size);
        }
    }

    void constantsAreTheExtendedValues()
    {
        // Pages where the exact product is a half: 3.7 and 0.6 held as doubles
        // lie just above and push the result past it; the extended values do not.
        RecordingCanvas note({3000, 3625, 200, 290});
        PrintEnvelope(note, {16, 7, 11, 9}, {{}, {"n"}, {}}, QString());
        QCOMPARE(note.drawn[0].x, 240 - 55); // 3.7 mm x 3000 / 200 = 55.5, the double 3.7 gives 56

        RecordingCanvas recipient({2500, 3625, 200, 290});
        PrintEnvelope(recipient, {7, 7, 11, 9}, {{}, {}, {"r"}}, QString());
        // 0.6 x 7 = 4.2 mm: 2500 x 4.2 / 200 = 52.5 and 3625 x 4.2 / 290 = 52.5.
        QCOMPARE(QPoint(recipient.drawn[0].x, recipient.drawn[0].y), QPoint(88 - 53, 53));
    }

    void fontValuesAreDividedByFiveNotByTheSlipDivisor()
    {
        // 10 / 5 x 33.89 = 67.78 gives 67; the slips' 4.4 would give 77.
        RecordingCanvas canvas(ExamplePrinter);
        PrintEnvelope(canvas, {110, 220, 10, 10}, {{"s"}, {}, {"r"}}, QString());
        QCOMPARE(canvas.drawn[0].size, 67);
        QCOMPARE(canvas.drawn[1].size, 67);
    }

    void tinyAndNegativeFontsPrintAtTheDefaultSize_data()
    {
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("size");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("-3") << -3 << -20; // Trunc(-0.6 x 33.89) = -20
        QTest::newRow("INT_MIN") << INT_MIN << INT_MIN;
    }
    void tinyAndNegativeFontsPrintAtTheDefaultSize()
    {
        QFETCH(int, font);
        QFETCH(int, size);
        RecordingCanvas canvas(ExamplePrinter, 96, 600);
        PrintEnvelope(canvas, {110, 220, font, font}, {{"s"}, {"n"}, {"r"}}, QString());
        QCOMPARE(canvas.drawn.size(), 3);
        for (const RotatedText& t : canvas.drawn) {
            QCOMPARE(t.size, size);
            QCOMPARE(t.emPixels, MulDiv(DefaultPrintPoints, 600, 72)); // 10 points on paper
        }
    }

    void unusablePrinterPrintsNothing()
    {
        RecordingCanvas canvas({4724, 6778, 0, 287});
        QCOMPARE(PrintEnvelope(canvas, {110, 220, 11, 9}, {{"s"}, {}, {}}, QString()), PrintOutcome::UnusablePage);
        QCOMPARE(canvas.begun, 0);
        QVERIFY(canvas.drawn.isEmpty());
    }

    void refusedDocumentIsReported()
    {
        RecordingCanvas canvas(ExamplePrinter);
        canvas.acceptEnd = false;
        QCOMPARE(PrintEnvelope(canvas, {110, 220, 11, 9}, {{"s"}, {}, {}}, QString()), PrintOutcome::Refused);
    }

    void absurdTemplatesNeitherCrashNorOverflow_data()
    {
        QTest::addColumn<EnvelopeTemplate>("t");
        QTest::newRow("all zero") << EnvelopeTemplate{0, 0, 0, 0};
        QTest::newRow("negative size") << EnvelopeTemplate{-110, -220, 11, 9};
        QTest::newRow("INT_MAX everywhere") << EnvelopeTemplate{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
        QTest::newRow("INT_MIN everywhere") << EnvelopeTemplate{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
        QTest::newRow("INT_MIN width, INT_MAX fonts") << EnvelopeTemplate{INT_MIN, 220, INT_MAX, INT_MAX};
        QTest::newRow("INT_MAX width, INT_MIN fonts") << EnvelopeTemplate{INT_MAX, INT_MIN, INT_MIN, INT_MIN};
        QTest::newRow("INT_MAX width, INT_MAX fonts") << EnvelopeTemplate{INT_MAX, INT_MAX, INT_MAX, INT_MIN};
    }
    void absurdTemplatesNeitherCrashNorOverflow()
    {
        // Run under UBSan: any signed overflow or bad float-to-int cast ends the test.
        QFETCH(EnvelopeTemplate, t);
        RecordingCanvas canvas(ExamplePrinter);
        QStringList many;
        for (int i = 0; i < 50; ++i)
            many << QString::number(i);
        QCOMPARE(PrintEnvelope(canvas, t, {many, many, many}, QString()), PrintOutcome::Printed);
        QCOMPARE(canvas.drawn.size(), 150);
        for (const RotatedText& d : canvas.drawn)
            QVERIFY(d.emPixels > 0);
    }

    // The outline of a preview and the alignment sheet under the largest
    // shift either way: each point moves by the shift or stops at the edge of
    // the int range, never wraps round to the other side.
    void shiftedSketchesOfAbsurdTemplatesSaturate_data() { absurdTemplatesNeitherCrashNorOverflow_data(); }
    void shiftedSketchesOfAbsurdTemplatesSaturate()
    {
        QFETCH(EnvelopeTemplate, t);
        for (const FormShift shift : {FormShift{30, -30}, FormShift{-30, 30}}) {
            const ShiftPixels by = ShiftOnPage(shift, ExamplePrinter);
            auto moved = [](int v, int d) { return int(std::clamp<long long>(qint64(v) + d, INT_MIN, INT_MAX)); };
            for (const bool sheet : {false, true}) {
                RecordingCanvas still(ExamplePrinter), shifted(ExamplePrinter);
                if (sheet) {
                    PrintEnvelopeAlignmentSheet(still, t, QString(), {});
                    PrintEnvelopeAlignmentSheet(shifted, t, QString(), shift);
                } else {
                    PrintEnvelope(still, t, {{"s"}, {}, {"r"}}, QString(), {}, true);
                    PrintEnvelope(shifted, t, {{"s"}, {}, {"r"}}, QString(), shift, true);
                }
                QCOMPARE(shifted.guides.size(), 1);
                const QList<QLine>& from = still.guides[0].lines;
                const QList<QLine>& to = shifted.guides[0].lines;
                QCOMPARE(to.size(), from.size());
                for (qsizetype i = 0; i < from.size(); ++i) {
                    QCOMPARE(to[i].x1(), moved(from[i].x1(), by.dx));
                    QCOMPARE(to[i].y1(), moved(from[i].y1(), by.dy));
                    QCOMPARE(to[i].x2(), moved(from[i].x2(), by.dx));
                    QCOMPARE(to[i].y2(), moved(from[i].y2(), by.dy));
                }
            }
        }
    }

    // The rulers' numbers sit a millimetre beside their ticks; at a tick on
    // the edge of the int range they stay on that edge.
    void alignmentSheetNumbersOfAbsurdTemplatesStayBesideTheirTicks_data()
    {
        absurdTemplatesNeitherCrashNorOverflow_data();
    }
    void alignmentSheetNumbersOfAbsurdTemplatesStayBesideTheirTicks()
    {
        QFETCH(EnvelopeTemplate, t);
        // A driver that reports a hundred times the resolution down the page:
        // a millimetre of ruler is then more than ten ticks across.
        const PageMeasures page{ExamplePrinter.PageWidth, 100 * ExamplePrinter.PageHeight, ExamplePrinter.HorzSize,
                                ExamplePrinter.VertSize};
        RecordingCanvas canvas(page);
        QCOMPARE(PrintEnvelopeAlignmentSheet(canvas, t, QString(), {}), PrintOutcome::Printed);
        const SlipPlacement place(page, t.WidthMm);
        const int mm = page.PageHeight / page.VertSize;
        auto plus = [](int v, int d) { return int(std::clamp<long long>(qint64(v) + d, INT_MIN, INT_MAX)); };
        // After the envelope's two captions: the numbers along its height, then across its width.
        QList<QPoint> expected;
        for (int y = 10; y <= std::clamp(t.HeightMm, 0, 2000); y += 10)
            expected << QPoint(place.DeviceX(5), plus(place.DeviceY(y), -mm));
        for (int x = 10; x <= std::clamp(t.WidthMm, 0, 2000); x += 10)
            expected << QPoint(plus(place.DeviceX(x), mm), place.DeviceY(5));
        const QList<Guide::Text>& texts = canvas.guides[0].texts;
        QCOMPARE(texts.size(), expected.size() + 2);
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(QPoint(texts[i + 2].x, texts[i + 2].y), expected[i]);
    }

    void hugeSizesSaturateAtTheEdgeOfTheIntRange()
    {
        RecordingCanvas canvas(ExamplePrinter);
        PrintEnvelope(canvas, {INT_MIN, INT_MAX, INT_MAX, INT_MAX}, {{"s", "t"}, {}, {"r"}}, QString());
        // Line 0: both terms saturate at INT_MIN; line 1 lies far to the other side.
        QCOMPARE(canvas.drawn[0].x, 0);
        QCOMPARE(canvas.drawn[1].x, INT_MIN);
        QCOMPARE(canvas.drawn[2].y, INT_MAX);
        QCOMPARE(canvas.drawn[0].size, INT_MAX);
    }
};

QTEST_GUILESS_MAIN(EnvelopePrintTest)
#include "test_envelope_print.moc"
