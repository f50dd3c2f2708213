// The sheet that lines a printer up with a form: no caption of a field is
// written over a number of the rulers, on any slip or an envelope, at the
// resolutions printers have; no caption is lost.
#include "core/forms/Forms.h"
#include "core/print/FormSketch.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QtTest>

class AlignmentSheetTest : public QObject {
    Q_OBJECT
private slots:
    void captionsStayOffTheRulers()
    {
        // Where the canvas draws a guide text: DejaVu Sans, running down the page.
        auto cell = [](const Guide::Text& t) {
            QFont face(QStringLiteral("DejaVu Sans"));
            face.setPixelSize(t.emPixels);
            const QFontMetricsF m(face);
            return QRectF(t.x - m.height(), t.y, m.height(), m.horizontalAdvance(t.text));
        };
        const QRegularExpression number(QStringLiteral("^[0-9]+$"));
        for (int dpi : {300, 600, 1200})
            for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD, FormKind::Envelope}) {
                const PageMeasures page{qRound(200 * dpi / 25.4), qRound(287 * dpi / 25.4), 200, 287};
                const FormDescription& form = Form(kind);
                const bool envelope = kind == FormKind::Envelope;
                const SlipPlacement at(page, envelope ? 110 : form.referenceMm);
                const Guide sheet = envelope ? EnvelopeAlignmentSheet(at, page, 110, 220)
                                             : AlignmentSheet(form.layout, form.areas, at, page);
                const Guide plain = envelope ? SketchEnvelope(at, page, 110, 220, false)
                                             : SketchForm(form.layout, form.areas, at, page, false);
                int numbers = 0;
                for (const Guide::Text& n : sheet.texts) {
                    if (!number.match(n.text).hasMatch())
                        continue;
                    ++numbers;
                    for (const Guide::Text& c : sheet.texts)
                        if (!number.match(c.text).hasMatch())
                            QVERIFY2(!cell(n).intersects(cell(c)), qPrintable(c.text + " over " + n.text));
                }
                QVERIFY(numbers >= 20);
                QCOMPARE(sheet.texts.size(), plain.texts.size() + numbers);
            }
    }
};

QTEST_MAIN(AlignmentSheetTest)
#include "test_alignment_sheet.moc"
