// One running copy per program folder: the first holds the folder and shows
// its launcher when a later start asks; a holder that does not answer is
// said; a dead holder's folder is taken over; the socket lies where only its
// user can create names.
#include "app/SingleCopy.h"
#include "support/TempProgramFolder.h"

#include <QTemporaryDir>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <sys/stat.h>
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
        QCOMPARE(laterStart(folder.path()), SingleCopy::Start::OtherShown);
        QCOMPARE(asked.size(), 1);
        // The same folder by another path is the same folder.
        QTemporaryDir links;
        QVERIFY(QFile::link(folder.path(), links.path() + QStringLiteral("/link")));
        QCOMPARE(laterStart(links.path() + QStringLiteral("/link/")), SingleCopy::Start::OtherShown);
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
        SingleCopy held(folder.path()); // its thread never gets to answer
        QCOMPARE(held.start(), SingleCopy::Start::First);
        QCOMPARE(SingleCopy(folder.path()).start(), SingleCopy::Start::OtherSilent);
        QVERIFY(OtherCopySilentMessage.contains(QStringLiteral("už beží")));
    }

    void aDeadHoldersLockIsTakenOver()
    {
        TempProgramFolder folder;
        const pid_t child = ::fork();
        if (child == 0) {
            SingleCopy copy(folder.path());
            _exit(copy.start() == SingleCopy::Start::First ? 0 : 1); // ends holding it, as a crash does
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        SingleCopy next(folder.path());
        QCOMPARE(next.start(), SingleCopy::Start::First);
        QCOMPARE(laterStart(folder.path()), SingleCopy::Start::OtherShown);
    }

    void theSocketIsInTheRuntimeFolderOnlyWhenThatIsTheUsersAlone()
    {
        QTemporaryDir runtime;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        for (const mode_t mode : {0700, 0770, 01777}) {
            QCOMPARE(::chmod(QFile::encodeName(runtime.path()).constData(), mode), 0);
            QCOMPARE(SingleCopy::serverName(runtime.path()).startsWith(runtime.path() + QLatin1Char('/')), mode == 0700);
        }
        qputenv("XDG_RUNTIME_DIR", saved);
    }
};

QTEST_GUILESS_MAIN(SingleCopyTest)
#include "test_single_copy.moc"
