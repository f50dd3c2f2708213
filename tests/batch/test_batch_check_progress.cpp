// "Hromadná tlač…" of a long table: its progress, with "Zrušiť", shows while
// the table is still being checked and while it is tried on the printer;
// "Zrušiť" there ends it with nothing shown, asked or printed; left alone,
// the check ends in its summary.
#include "slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class BatchCheckProgressTest : public QObject {
    Q_OBJECT

    QString longTable(Program& p)
    {
        QByteArray table("suma;hal;od1;nazov_uctu\n");
        for (int i = 1; i <= 2000; ++i)
            table += QByteArray::number(i) + ";5;Ján Novák " + QByteArray::number(i) + ";\"Bytové družstvo\nVeľká\"\n";
        p.folder.write("dlha.csv", table);
        return p.folder.file("dlha.csv");
    }

private slots:
    void progressFromTheStartOfTheCheck_data()
    {
        QTest::addColumn<int>("cancelIn"); // the check, the dry run, neither
        QTest::newRow("Zrušiť in the check") << 1;
        QTest::newRow("Zrušiť in the dry run") << 2;
        QTest::newRow("left alone") << 0;
    }
    void progressFromTheStartOfTheCheck()
    {
        QFETCH(int, cancelIn);
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AddName});
        p.platform.fileAnswers = {longTable(p)};
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        QString summary;
        int seen = 0;
        bool checking = false;
        auto watch = [&](int phase) {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            seen += progress && progress->isVisible() && progress->objectName() == QStringLiteral("BatchCheckProgress");
            checking = checking || (phase == 1 && summary.isEmpty() && p.platform.dialogsRun == 0);
            auto* button = progress ? progress->findChild<QPushButton*>() : nullptr;
            QVERIFY(button && button->text() == QStringLiteral("Zrušiť"));
            if (cancelIn == phase)
                QTest::mouseClick(button, Qt::LeftButton);
        };
        p.platform.onDialog = [&](QDialog& d) {
            summary = d.findChild<QLabel*>("summary")->text();
            if (cancelIn == 2) {
                QTimer::singleShot(0, [&] { watch(2); });
                d.findChild<QPushButton*>("print")->click();
            }
        };
        QTimer::singleShot(0, [&] { watch(1); });
        w->Hromadntla1->trigger();
        QCOMPARE(seen, cancelIn == 2 ? 2 : 1);
        QVERIFY(checking);
        QCOMPARE(p.platform.dialogsRun, cancelIn == 1 ? 0 : 1);
        QCOMPARE(summary.contains(QStringLiteral("2000 strán na tlač")), cancelIn != 1);
        QCOMPARE(p.platform.printDialogs, cancelIn == 2 ? 1 : 0);
        QCOMPARE(canvas.pages + canvas.ended, 0);
        QVERIFY(p.platform.messages.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(BatchCheckProgressTest)
#include "test_batch_check_progress.moc"
