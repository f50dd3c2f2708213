// One running copy per program folder: the first holds the folder and shows
// its launcher when a later start asks; a holder that does not answer is
// said; a dead holder's lock is taken over.
#include "app/SingleCopy.h"
#include "support/TempProgramFolder.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A later start, from another thread as it would come from another process.
SingleCopy::Start laterStart(const QString& folder)
{
    SingleCopy::Start result = SingleCopy::Start::First;
    std::unique_ptr<QThread> other(QThread::create([&] { result = SingleCopy(folder).start(); }));
    other->start();
    while (!other->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20); // the first copy answers meanwhile
    other->wait();
    return result;
}

} // namespace

class SingleCopyTest : public QObject {
    Q_OBJECT
private slots:
    void aLaterStartAsksTheFirstToShowItself()
    {
        TempProgramFolder folder;
        SingleCopy first(folder.path());
        QSignalSpy asked(&first, &SingleCopy::showRequested);
        QCOMPARE(first.start(), SingleCopy::Start::First);
        QVERIFY(folder.exists(SingleCopyLockName));
        QCOMPARE(laterStart(folder.path()), SingleCopy::Start::OtherShown);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(laterStart(folder.path()), SingleCopy::Start::OtherShown);
        QCOMPARE(asked.size(), 2);

        // Another folder is another program.
        TempProgramFolder elsewhere;
        QVERIFY(SingleCopy::serverName(elsewhere.path()) != SingleCopy::serverName(folder.path()));
        SingleCopy second(elsewhere.path());
        QCOMPARE(second.start(), SingleCopy::Start::First);
    }

    void aHolderThatDoesNotAnswerIsSaid()
    {
        TempProgramFolder folder;
        QLockFile held(folder.file(SingleCopyLockName)); // a live process, no listener
        QVERIFY(held.tryLock(0));
        QCOMPARE(SingleCopy(folder.path()).start(), SingleCopy::Start::OtherSilent);
        QVERIFY(OtherCopySilentMessage.contains(QStringLiteral("už beží")));
    }

    void aDeadHoldersLockIsTakenOver()
    {
        TempProgramFolder folder;
        const pid_t child = ::fork();
        if (child == 0) {
            QLockFile lock(folder.file(SingleCopyLockName));
            _exit(lock.tryLock(0) ? 0 : 1); // ends holding it, as a crash does
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(folder.exists(SingleCopyLockName));
        SingleCopy next(folder.path());
        QCOMPARE(next.start(), SingleCopy::Start::First);
        QCOMPARE(laterStart(folder.path()), SingleCopy::Start::OtherShown);
    }
};

QTEST_GUILESS_MAIN(SingleCopyTest)
#include "test_single_copy.moc"
