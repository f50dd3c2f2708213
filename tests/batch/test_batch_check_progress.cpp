// "Hromadná tlač…" of a long table: its progress, with "Zrušiť", shows while
// the table is still being checked, and "Zrušiť" there ends it with nothing
// shown, asked or printed; left alone, the check ends in its summary.
#include "slips/TApoukazka.h"
#include "support/Fixture.h"

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
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Zrušiť") << true;
        QTest::newRow("left alone") << false;
    }
    void progressFromTheStartOfTheCheck()
    {
        QFETCH(bool, cancel);
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AddName});
        p.platform.fileAnswers = {longTable(p)};
        QString summary;
        p.platform.onDialog = [&](QDialog& d) { summary = d.findChild<QLabel*>("summary")->text(); };
        bool seen = false, checking = false;
        QTimer::singleShot(0, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            seen = progress && progress->isVisible() && progress->objectName() == QStringLiteral("BatchCheckProgress");
            checking = summary.isEmpty() && p.platform.dialogsRun == 0;
            auto* button = progress ? progress->findChild<QPushButton*>() : nullptr;
            QVERIFY(button && button->text() == QStringLiteral("Zrušiť"));
            if (cancel)
                QTest::mouseClick(button, Qt::LeftButton);
        });
        w->Hromadntla1->trigger();
        QVERIFY(seen);
        QVERIFY(checking);
        QCOMPARE(p.platform.dialogsRun, cancel ? 0 : 1);
        QCOMPARE(summary.contains(QStringLiteral("2000 strán na tlač")), !cancel);
        QCOMPARE(p.platform.printDialogs, 0);
        QVERIFY(p.platform.messages.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(BatchCheckProgressTest)
#include "test_batch_check_progress.moc"
