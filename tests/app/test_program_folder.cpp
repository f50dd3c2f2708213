// The real program started from a folder whose name Qt cannot carry: it tells
// the user and ends without creating a file anywhere. From a usable folder the
// same binary creates its record files beside itself.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool copyFile(const QByteArray& from, const QByteArray& to)
{
    QFile in(QString::fromUtf8(from));
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    // A raw path: Qt's file names cannot hold the bytes this test is about.
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0755);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// Starts `binary` with the offscreen platform and the working directory
// `workDir`; returns its pid.
pid_t start(const QByteArray& binary, const QByteArray& workDir)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (::chdir(workDir.constData()) != 0)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(binary.constData(), binary.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// The exit status once `pid` has ended by itself; -1 when it did not.
int endOf(pid_t pid)
{
    QElapsedTimer waited;
    waited.start();
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (waited.elapsed() > 20000) {
            stop(pid);
            return -1;
        }
        QTest::qWait(50);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool running(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

// The process the folder's lock names, once a copy has taken it.
QByteArray lockHolder(const QByteArray& folder)
{
    QFile lock(QString::fromUtf8(folder + "/.zelvana.lock"));
    return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed() : QByteArray();
}

bool waitForLock(const QByteArray& folder, pid_t pid)
{
    QElapsedTimer waited;
    waited.start();
    while (lockHolder(folder) != QByteArray::number(pid) && waited.elapsed() < 20000)
        QTest::qWait(50);
    return lockHolder(folder) == QByteArray::number(pid);
}

} // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT
private slots:
    void usableFolderGetsTheRecordFiles()
    {
        QTemporaryDir dir, work;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/Zelvana ľšč";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        QVERIFY(copyFile(ZELVANA_BINARY, folder + "/zelvana"));
        const pid_t pid = start(folder + "/zelvana", QFile::encodeName(work.path()));
        QElapsedTimer waited;
        waited.start();
        while (!(exists(folder + "/uziv.nas") && exists(folder + "/program.nas")) && waited.elapsed() < 20000)
            QTest::qWait(50);
        stop(pid);
        QVERIFY(exists(folder + "/uziv.nas"));
        QVERIFY(exists(folder + "/program.nas"));
        QVERIFY(QDir(work.path()).isEmpty()); // never the working directory
    }

    void aSecondStartEndsAndLeavesTheFirstRunning()
    {
        QTemporaryDir dir, work;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/Zelvana";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        QVERIFY(copyFile(ZELVANA_BINARY, folder + "/zelvana"));
        const QByteArray workDir = QFile::encodeName(work.path());
        const pid_t first = start(folder + "/zelvana", workDir);
        QVERIFY(waitForLock(folder, first));
        // Asked to show its launcher, the first answers; the second ends at once.
        QCOMPARE(endOf(start(folder + "/zelvana", workDir)), 0);
        QVERIFY(running(first));
        QCOMPARE(lockHolder(folder), QByteArray::number(first));

        // A crash leaves its lock behind: the next start takes it over.
        stop(first);
        const pid_t next = start(folder + "/zelvana", workDir);
        QVERIFY(waitForLock(folder, next));
        QCOMPARE(endOf(start(folder + "/zelvana", workDir)), 0);
        QVERIFY(running(next));
        stop(next);
    }

    void folderNameThatIsNotUtf8TouchesNoFile()
    {
        QTemporaryDir dir, work;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/j\xe1n";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        QVERIFY(copyFile(ZELVANA_BINARY, folder + "/zelvana"));
        // The folder Qt's replacement of the bad byte names: files written
        // there would be lost to the user.
        const QString lookalike = dir.path() + QString::fromUtf8("/j\uFFFDn");
        QVERIFY(QDir().mkpath(lookalike));
        const bool rootHadRecords = exists("/uziv.nas") || exists("/program.nas");
        const pid_t pid = start(folder + "/zelvana", QFile::encodeName(work.path()));
        // The program waits in its message box; give it time to do any harm.
        QTest::qWait(3000);
        int status = 0;
        const bool ended = ::waitpid(pid, &status, WNOHANG) == pid;
        if (!ended)
            stop(pid);
        QVERIFY(!exists(folder + "/uziv.nas"));
        QVERIFY(!exists(folder + "/program.nas"));
        QVERIFY(!exists(folder + "/banky.cbx"));
        QVERIFY(QDir(work.path()).isEmpty());
        QVERIFY(QDir(lookalike).isEmpty());
        if (!rootHadRecords) {
            QVERIFY(!exists("/uziv.nas"));
            QVERIFY(!exists("/program.nas"));
        }
        // QTemporaryDir cannot remove what it cannot name.
        ::unlink((folder + "/zelvana").constData());
        ::rmdir(folder.constData());
    }
};

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "test_program_folder.moc"
