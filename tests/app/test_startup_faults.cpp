// The real program started in a folder where one file the user keeps is
// damaged, or the data folder is gone: it reaches its event loop (the
// launcher or the message box that reports the file) instead of waiting on a
// pipe or ending, and it leaves every byte of the folder as it was.
#include "support/FaultKit.h"

#include <QtTest>

using namespace faults;

class StartupFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void startGoesOnAndKeepsEveryByte_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fault");
        for (const QString& name : UserFiles)
            for (const QString& fault : Faults)
                QTest::addRow("%s %s", qPrintable(name), qPrintable(fault)) << name << fault;
        QTest::newRow("no data folder") << QString("data") << QString("missing");
    }
    void startGoesOnAndKeepsEveryByte()
    {
        QFETCH(QString, name);
        QFETCH(QString, fault);
        TempProgramFolder folder;
        writeSoundFolder(folder);
        if (fault == "missing")
            QVERIFY(QDir(folder.file(name)).removeRecursively());
        else
            QVERIFY(damage(folder, name, fault));
        const Snapshot before = snapshot(folder.path());

        RealProgram program(folder.path());
        QVERIFY(program.started());
        const QString notIdle = program.waitUntilIdle();
        program.stop();
        QVERIFY2(notIdle.isEmpty(), qPrintable(notIdle));
        // The lock a running copy holds on its folder stays after the kill.
        const Snapshot after = snapshot(folder.path(), {"zelvana", ".zelvana.lock"});
        QCOMPARE(changedNames(before, after), QStringList{});
    }
};

QTEST_GUILESS_MAIN(StartupFaultsTest)
#include "test_startup_faults.moc"
