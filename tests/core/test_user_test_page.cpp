// The designer's test page: where a turned form's boxes and scan land in
// device pixels, and that the printer's shift moves them like any print.
#include "core/forms/user/UserTestPage.h"
#include "support/RecordingCanvas.h"

#include <QSet>
#include <QTest>

namespace {

// 100 x 50 mm, turned by 90 on A4, 10 mm from the left and 20 mm from the top.
UserLayout turnedLayout()
{
    UserLayout l;
    l.name = QStringLiteral("Skúška");
    l.widthMm = 100;
    l.heightMm = 50;
    l.offsetXMm = 10;
    l.offsetYMm = 20;
    l.rotation = 90;
    UserField f;
    f.name = QStringLiteral("suma");
    f.kind = UserFieldKind::Amount;
    f.xMm = 10;
    f.yMm = 5;
    f.widthMm = 20;
    f.heightMm = 10;
    l.fields << f;
    return l;
}

QSet<QPoint> ends(const QList<QLine>& lines)
{
    QSet<QPoint> points;
    for (const QLine& l : lines)
        points << l.p1() << l.p2();
    return points;
}

} // namespace

class UserTestPageTest : public QObject {
    Q_OBJECT
private slots:
    void aTurnedFormLandsWhereThePaperPutsIt()
    {
        // 600 dpi, 200 x 287 mm printable: 5 mm margins all round.
        RecordingCanvas canvas(ExamplePrinter);
        QImage scan(1000, 500, QImage::Format_RGB32);
        scan.fill(Qt::white);
        QCOMPARE(PrintUserTestPage(canvas, turnedLayout(), scan), PrintOutcome::Printed);
        QCOMPARE(canvas.begun, 1);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(canvas.guides.size(), 2);

        const Guide& under = canvas.guides[0];
        QVERIFY(under.pale);
        QCOMPARE(under.pictures.size(), 1);
        QVERIFY(under.lines.isEmpty());
        // The form's top-left corner is the paper's (60, 20) mm once turned;
        // its top-right corner goes down the paper to (60, 120).
        const QTransform& t = under.pictures[0].toDevice;
        const double perX = 4724.0 / 200, perY = 6778.0 / 287;
        const QPointF origin = t.map(QPointF(0, 0)), right = t.map(QPointF(1000, 0)), down = t.map(QPointF(0, 500));
        QVERIFY(qAbs(origin.x() - 55 * perX) < 0.01 && qAbs(origin.y() - 15 * perY) < 0.01);
        QVERIFY(qAbs(right.x() - 55 * perX) < 0.01 && qAbs(right.y() - 115 * perY) < 0.01);
        QVERIFY(qAbs(down.x() - 5 * perX) < 0.01 && qAbs(down.y() - 15 * perY) < 0.01);

        const Guide& boxes = canvas.guides[1];
        QVERIFY(!boxes.pale);
        QVERIFY(boxes.pictures.isEmpty());
        QCOMPARE(boxes.lines.size(), 4);
        // The box lies from 45 to 55 mm across and 30 to 50 mm down the paper.
        QCOMPARE(ends(boxes.lines), (QSet<QPoint>{{945, 590}, {1181, 590}, {945, 1063}, {1181, 1063}}));
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(boxes.texts[0].text, QStringLiteral("suma"));
        QCOMPARE(QPoint(boxes.texts[0].x, boxes.texts[0].y), QPoint(1181, 590));
        QCOMPARE(boxes.texts[0].angle, 270);
    }

    void theFormsShiftMovesTheWholePageAlongTheForm()
    {
        // Upright (0) and turned (90): 1 mm to the right as the form reads
        // is across the paper, or down it.
        for (const int rotation : {0, 90}) {
            UserLayout l = turnedLayout();
            l.rotation = rotation;
            RecordingCanvas plain(ExamplePrinter), shifted(ExamplePrinter);
            QCOMPARE(PrintUserTestPage(plain, l, QImage()), PrintOutcome::Printed);
            QCOMPARE(plain.guides.size(), 1); // no scan, no picture guide
            QCOMPARE(PrintUserTestPage(shifted, l, QImage(), FormShift{1.0, 0.0}), PrintOutcome::Printed);
            const QPoint by = shifted.guides[0].lines[0].p1() - plain.guides[0].lines[0].p1();
            QCOMPARE(by, rotation == 0 ? QPoint(24, 0) : QPoint(0, 24)); // 23.6 pixels a mm either way
        }
    }

    void aPrinterWithoutMeasuresPrintsNothing()
    {
        RecordingCanvas canvas(PageMeasures{});
        QCOMPARE(PrintUserTestPage(canvas, turnedLayout(), QImage()), PrintOutcome::UnusablePage);
        QCOMPARE(canvas.begun, 0);
    }
};

QTEST_GUILESS_MAIN(UserTestPageTest)
#include "test_user_test_page.moc"
