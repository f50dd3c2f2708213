// The real program started from a folder whose name Qt cannot carry: it tells
// the user and ends without creating a file anywhere. From a usable folder the
// same binary creates its record files beside itself. One copy runs per
// folder, whatever a dead copy left, in a folder it may not write, and with
// another user listening where it might.
#include "app/SingleCopy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
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
// `workDir`, as `uid` (ours when -1) with `runtime` as XDG_RUNTIME_DIR (none
// when empty); returns its pid.
pid_t start(const QByteArray& binary, const QByteArray& workDir, int uid = -1, const QByteArray& runtime = {})
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (::chdir(workDir.constData()) != 0)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (uid >= 0 && ((runtime.isEmpty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", runtime, 1)) != 0
                         || ::setgid(gid_t(uid)) != 0 || ::setuid(uid_t(uid)) != 0))
            _exit(125);
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
int endOf(pid_t pid, int milliseconds = 20000)
{
    QElapsedTimer waited;
    waited.start();
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (waited.elapsed() > milliseconds) {
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

// Whether `pid` holds a file lock, whatever it locks and however.
bool holdsALock(pid_t pid)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4 && fields[1] != "->" && fields[4] == QByteArray::number(pid))
            return true;
    }
    return false;
}

bool waitForLock(pid_t pid)
{
    QElapsedTimer waited;
    waited.start();
    while (!holdsALock(pid) && running(pid) && waited.elapsed() < 20000)
        QTest::qWait(50);
    return holdsALock(pid);
}

// Two starts in `folder` as `uid`: the first holds the folder, the second
// asks it to show itself and ends; the first runs on.
void secondStartEnds(const QByteArray& folder, int uid = -1)
{
    QTemporaryDir work;
    const QByteArray workDir = QFile::encodeName(work.path());
    const pid_t first = start(folder + "/zelvana", workDir, uid);
    const bool held = waitForLock(first);
    const int second = held ? endOf(start(folder + "/zelvana", workDir, uid)) : -1;
    const bool firstRuns = running(first);
    stop(first);
    QVERIFY(held);
    QCOMPARE(second, 0);
    QVERIFY(firstRuns);
}

// Users other than ours, as root can become them.
constexpr int OtherUser = 65534, ThirdUser = 65533;

// A fresh folder with the program in it, that OtherUser can reach; its own when `own`.
QByteArray programFolder(const QTemporaryDir& dir, bool own = false)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + "/Zelvana";
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const bool made = ::mkdir(folder.constData(), 0755) == 0 && copyFile(ZELVANA_BINARY, folder + "/zelvana");
    return made && (!own || ::chown(folder.constData(), OtherUser, OtherUser) == 0) ? folder : QByteArray();
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
        const QByteArray folder = programFolder(dir);
        QVERIFY(!folder.isEmpty());
        secondStartEnds(folder);

        // A crash leaves whatever it left: the next start takes the folder over.
        const pid_t crashed = start(folder + "/zelvana", QFile::encodeName(work.path()));
        QVERIFY(waitForLock(crashed));
        stop(crashed);
        secondStartEnds(folder);
    }

    void oneCopyRunsWhateverTheFolder_data()
    {
        QTest::addColumn<QByteArray>("lock"); // what a dead copy left; "->" for a link to those bytes
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("uid");
        QTest::newRow("empty lock") << QByteArray("") << 0755 << -1;
        QTest::newRow("garbage lock") << QByteArray("\x01\xff garbage\n") << 0755 << -1;
        QTest::newRow("lock that is a link") << QByteArray("->someone's own") << 0755 << -1;
        QTest::newRow("read-only folder") << QByteArray() << 0555 << OtherUser;
        QTest::newRow("folder that cannot be opened") << QByteArray() << 0333 << OtherUser;
    }
    void oneCopyRunsWhateverTheFolder()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, mode);
        QFETCH(int, uid);
        if (uid >= 0 && ::geteuid() != 0)
            QSKIP("needs root, to run the program as a user with fewer rights");
        QTemporaryDir dir, elsewhere;
        const QByteArray folder = programFolder(dir), target = QFile::encodeName(elsewhere.path()) + "/target";
        QVERIFY(!folder.isEmpty());
        const bool link = lock.startsWith("->");
        QFile file(QString::fromUtf8(link ? target : folder + "/.zelvana.lock"));
        if (!lock.isNull() && file.open(QIODevice::WriteOnly))
            file.write(link ? lock.mid(2) : lock);
        file.close();
        QVERIFY(!link || ::symlink(target.constData(), (folder + "/.zelvana.lock").constData()) == 0);
        QCOMPARE(::chmod(folder.constData(), mode_t(mode)), 0);
        secondStartEnds(folder, uid);
        // A link is never followed: what it names stays as it was.
        QVERIFY(!link || (file.open(QIODevice::ReadOnly) && file.readAll() == lock.mid(2)));
    }

    void anotherUsersListenerGetsNoRequest_data()
    {
        QTest::addColumn<bool>("runtimeFolder");
        QTest::newRow("XDG_RUNTIME_DIR") << true;
        QTest::newRow("no XDG_RUNTIME_DIR") << false;
    }
    void anotherUsersListenerGetsNoRequest()
    {
        QFETCH(bool, runtimeFolder);
        if (::geteuid() != 0)
            QSKIP("needs root, to act as two users");
        QTemporaryDir dir, runtimeDir, work;
        const QByteArray folder = programFolder(dir, true), workDir = QFile::encodeName(work.path());
        const QByteArray runtime = runtimeFolder ? QFile::encodeName(runtimeDir.path()) : QByteArray();
        QVERIFY(!folder.isEmpty() && ::chown(QFile::encodeName(runtimeDir.path()).constData(), OtherUser, OtherUser) == 0);
        // A third user listens first where the program's user would, and answers as a copy does.
        int heard[2];
        QCOMPARE(::pipe(heard), 0);
        const pid_t listener = fork();
        if (listener == 0) {
            runtime.isEmpty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
            if (::setresuid(OtherUser, 0, 0) != 0)
                _exit(125);
            const QString name = SingleCopy::serverName(QString::fromUtf8(folder + "/"));
            QLocalServer server;
            server.setSocketOptions(QLocalServer::WorldAccessOption);
            if (::setgid(ThirdUser) != 0 || ::setresuid(ThirdUser, ThirdUser, ThirdUser) != 0 || !server.listen(name))
                _exit(0);
            while (server.waitForNewConnection(-1))
                if (QLocalSocket* s = server.nextPendingConnection(); s->waitForReadyRead(5000)) {
                    (void)!::write(heard[1], s->readAll().constData(), 1);
                    s->write("shown\n");
                    s->waitForBytesWritten(1000);
                }
        }
        ::close(heard[1]);
        QTest::qWait(300); // it listens before the program starts
        const pid_t first = start(folder + "/zelvana", workDir, OtherUser, runtime);
        const bool held = waitForLock(first);
        const int second = held ? endOf(start(folder + "/zelvana", workDir, OtherUser, runtime), 7000) : -1;
        const bool firstRuns = running(first);
        for (pid_t pid : {first, listener})
            stop(pid);
        char request = 0;
        QCOMPARE(::read(heard[0], &request, 1), 0);
        ::close(heard[0]);
        QVERIFY(held && firstRuns);
        QCOMPARE(second, runtimeFolder ? 0 : -1); // where the first can listen, it answers
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
