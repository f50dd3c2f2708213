// The sheet that lines a printer up with a form: no caption of a field is
// written over a number of the rulers, on every slip and on envelopes, at the
// resolutions printers have.
#include "forms/Forms.h"
#include "print/FormSketch.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Where the canvas draws a guide text: DejaVu Sans, running down the page.
QRectF inkCell(const Guide::Text& t)
{
    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPixelSize(t.emPixels);
    const QFontMetricsF m(face);
    return {t.x - m.height(), double(t.y), m.height(), m.horizontalAdvance(t.text)};
}

bool isNumber(const Guide::Text& t) { return QRegularExpression(QStringLiteral("^[0-9]+$")).match(t.text).hasMatch(); }

} // namespace

class AlignmentSheetTest : public QObject {
    Q_OBJECT
private slots:
    void captionsStayOffTheRulers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("dpi");
        for (int dpi : {300, 600, 1200}) {
            QTest::addRow("A %d", dpi) << int(FormKind::SlipA) << dpi;
            QTest::addRow("C %d", dpi) << int(FormKind::SlipC) << dpi;
            QTest::addRow("D %d", dpi) << int(FormKind::SlipD) << dpi;
            QTest::addRow("envelope %d", dpi) << int(FormKind::Envelope) << dpi;
        }
    }
    void captionsStayOffTheRulers()
    {
        QFETCH(int, kind);
        QFETCH(int, dpi);
        const PageMeasures page{qRound(200 * dpi / 25.4), qRound(287 * dpi / 25.4), 200, 287};
        const FormDescription& form = Form(FormKind(kind));
        const bool envelope = FormKind(kind) == FormKind::Envelope;
        const SlipPlacement placement(page, envelope ? 110 : form.referenceMm);
        const Guide sheet = envelope ? EnvelopeAlignmentSheet(placement, page, 110, 220)
                                     : AlignmentSheet(form.layout, form.areas, placement, page);
        const Guide plain = envelope ? SketchEnvelope(placement, page, 110, 220, false)
                                     : SketchForm(form.layout, form.areas, placement, page, false);
        int numbers = 0, captions = 0;
        for (const Guide::Text& n : sheet.texts) {
            if (!isNumber(n))
                continue;
            ++numbers;
            for (const Guide::Text& c : sheet.texts)
                if (!isNumber(c))
                    QVERIFY2(!inkCell(n).intersects(inkCell(c)), qPrintable(c.text + " over " + n.text));
        }
        for (const Guide::Text& c : sheet.texts)
            captions += !isNumber(c);
        QVERIFY(numbers >= 20);
        QCOMPARE(captions, plain.texts.size()); // every caption still on the sheet, and on the sheet alone moved
    }
};

QTEST_MAIN(AlignmentSheetTest)
#include "test_alignment_sheet.moc"
