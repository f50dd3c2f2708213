// The template wizard's picture counts the width across the printer page, as
// the templates do: a tall envelope, its lines placed and turned as they print.
#include "ui/envelopes/EnvelopePictures.h"
#include "core/forms/envelope/EnvelopePrint.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "support/RecordingCanvas.h"

#include <QTest>

class TestWizardPicture : public QObject {
    Q_OBJECT
    const Pictures::WizardSketch sketch_ = Pictures::wizardSideSketch(QSize(120, 200));

private slots:
    void envelopeIsTallWithWidthAcross()
    {
        const QRectF e = sketch_.envelope;
        QVERIFY(QRectF(0, 0, 120, 200).contains(e));
        // DL 110 × 220: the width is the short side.
        QVERIFY(qAbs(e.height() / e.width() - 2.0) < 0.05);
        const QLineF width = sketch_.widthArrow, height = sketch_.heightArrow;
        QCOMPARE(width.dy(), 0.0);
        QCOMPARE(height.dx(), 0.0);
        QCOMPARE(qAbs(width.dx()), e.width());
        QCOMPARE(qAbs(height.dy()), e.height());
        QVERIFY(height.length() > 1.5 * width.length());
        QVERIFY(width.y1() > e.bottom() && height.x1() > e.right()); // beside the envelope, not over it
    }

    void linesRunDownThePageWhereTheyPrint()
    {
        const QRectF e = sketch_.envelope;
        QCOMPARE(sketch_.sender.size(), 3);
        QCOMPARE(sketch_.recipient.size(), 4);
        for (const QList<QLineF>* block : {&sketch_.sender, &sketch_.recipient}) {
            for (qsizetype i = 0; i < block->size(); ++i) {
                const QLineF line = block->at(i);
                QCOMPARE(line.dx(), 0.0);
                QVERIFY(line.dy() > 0); // read from the top down
                QVERIFY(e.contains(line.p1()) && e.contains(line.p2()));
                if (i > 0)
                    QVERIFY(line.x1() < block->at(i - 1).x1()); // the next line lies left
            }
        }
        // The sender at the top by the right edge, the recipient lower and left.
        QVERIFY(sketch_.sender.first().x1() > e.center().x());
        QVERIFY(sketch_.sender.first().y1() < e.top() + e.height() * 0.1);
        QVERIFY(sketch_.recipient.first().x1() < sketch_.sender.last().x1());
        QVERIFY(sketch_.recipient.first().y1() > e.center().y());

        // The same order as the envelope prints: the sender's first line
        // right of the recipient's, above it, both turned to run downwards.
        RecordingCanvas canvas(ExamplePrinter);
        DrawEnvelope(canvas, ExamplePrinter, EnvelopeTemplate{110, 220, 11, 9},
                     {{QStringLiteral("Ján Malý")}, {}, {QStringLiteral("Eva Veľká")}});
        QCOMPARE(canvas.drawn.size(), 2);
        const RotatedText sender = canvas.drawn.at(0), recipient = canvas.drawn.at(1);
        QCOMPARE(sender.angle, 270);
        QVERIFY(sender.x > recipient.x && sender.y < recipient.y);
    }

    void pictureIsDrawnFromTheSketch()
    {
        const QImage picture = Pictures::wizardSide(QSize(120, 200)).toImage();
        const QRectF e = sketch_.envelope;
        // Paper inside the envelope between its lines, the green ground beside it.
        const QPoint paper(int(e.left()) + 4, int(e.center().y()));
        QCOMPARE(QColor(picture.pixel(paper)), QColor(0xFF, 0xFB, 0xF2));
        const QPoint ground(int(e.left()) - 6, int(e.center().y()));
        QVERIFY(QColor(picture.pixel(ground)).green() > QColor(picture.pixel(ground)).red());
    }
};

QTEST_MAIN(TestWizardPicture)
#include "test_wizard_picture.moc"
