// "Hromadná tlač…" of a long table: its progress, with "Zrušiť", shows while
// the table is checked and while it is tried on the printer; "Zrušiť" there
// ends it with nothing shown, asked or printed.
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class BatchCheckProgressTest : public QObject {
    Q_OBJECT
private slots:
    void progressFromTheStart()
    {
        for (int cancelIn : {1, 2, 0}) { // in the check, in the dry run, in neither
            Program p;
            auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AddName});
            QByteArray table("suma;hal;od1;nazov_uctu\n");
            for (int i = 1; i <= 2000; ++i)
                table += QByteArray::number(i) + ";5;Ján Novák;\"Bytové družstvo\nVeľká\"\n";
            p.folder.write("dlha.csv", table);
            p.platform.fileAnswers = {p.folder.file("dlha.csv")};
            RecordingCanvas canvas(ExamplePrinter);
            p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
            int seen = 0;
            auto watch = [&](int phase) {
                auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
                auto* button = progress ? progress->findChild<QPushButton*>() : nullptr;
                seen += button && progress->isVisible() && button->text() == QStringLiteral("Zrušiť")
                        && p.platform.dialogsRun == phase - 1; // before the summary, or after it
                if (button && cancelIn == phase)
                    QTest::mouseClick(button, Qt::LeftButton);
            };
            QString summary;
            p.platform.onDialog = [&](QDialog& d) {
                summary = d.findChild<QLabel*>("summary")->text();
                QTimer::singleShot(0, [&] { watch(2); });
                if (cancelIn == 2)
                    d.findChild<QPushButton*>("print")->click();
            };
            QTimer::singleShot(0, [&] { watch(1); });
            w->Hromadntla1->trigger();
            QCOMPARE(seen, cancelIn == 2 ? 2 : 1);
            QCOMPARE(summary.contains(QStringLiteral("2000 strán na tlač")), cancelIn != 1);
            QCOMPARE(p.platform.printDialogs, cancelIn == 2 ? 1 : 0);
            QCOMPARE(canvas.pages + canvas.ended, 0);
            QVERIFY(p.platform.messages.isEmpty());
            QTest::qWait(1); // no progress left behind
            QVERIFY(!QApplication::activeModalWidget());
        }
    }
};

QTEST_MAIN(BatchCheckProgressTest)
#include "test_batch_check_progress.moc"
