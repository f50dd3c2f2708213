#pragma once
// A program folder with every file the user keeps, one of them damaged in a
// way disks and users damage files; a fingerprint of the whole folder to show
// which bytes a run changed; the real program started in such a folder.
#include "support/Fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace faults {

// The files a user of the program keeps in its folder.
inline const QStringList UserFiles = {"program.nas", "uziv.nas", "data/subor1.tip", "data/DL 110x220.obl",
                                      "banky.cbx", "tlaciarne.ini"};
inline const QStringList Faults = {"truncated", "empty", "oversized", "random bytes", "fifo", "folder"};

inline constexpr qint64 Oversized = 100LL * 1024 * 1024 + 1;

inline QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = static_cast<char>(generator.bounded(256));
    return bytes;
}

// The start-up opens a slip A window (which reads the bank list) and an
// envelope window on the DL template, so one start reads every file but the
// alignment, which only a print reads.
inline QByteArray soundContent(const QString& name)
{
    if (name == "program.nas") {
        ProgramSettings s = settingsWith({Flag::OpenOnStart, Flag::StartWithSlipA, Flag::StartWithEnvelope,
                                          Flag::AllowMultipleForms});
        s.setEnvelopeTemplateName(Cp1250("DL 110x220.obl"));
        return QByteArray(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size);
    }
    if (name == "uziv.nas")
        return personalBytes(Owner);
    if (name == "data/subor1.tip")
        return shortStringRecord(QStringLiteral("Prvý tip")) + shortStringRecord(QStringLiteral("Druhý tip"))
            + shortStringRecord(QStringLiteral("Tretí tip"));
    if (name.endsWith(".obl"))
        return QByteArray::fromHex("6e000000" "dc000000" "0b000000" "09000000");
    if (name == "banky.cbx")
    {
        const Cp1250 list = toCp1250(QStringLiteral("Všeobecná úverová banka\r\nSlovenská sporiteľňa\r\nTatra banka\r\n"));
        return QByteArray(list.data(), qsizetype(list.size()));
    }
    // As the program writes it.
    return "[PDF]\nposunDoprava=0.5\nposunNadol=0.5\n\n[recorder]\nposunDoprava=1.5\nposunNadol=-2.0\n";
}

inline void writeSoundFolder(const TempProgramFolder& folder)
{
    for (const QString& name : UserFiles)
        folder.write(name, soundContent(name));
    folder.write("data/C5 162x229.obl", QByteArray::fromHex("a2000000" "e5000000" "0b000000" "09000000"));
}

// Puts `fault` where the sound `name` was; returns false with the reason when
// it cannot be made.
inline bool damage(const TempProgramFolder& folder, const QString& name, const QString& fault)
{
    if (fault == "sound")
        return true;
    const QString path = folder.file(name);
    const QByteArray sound = soundContent(name);
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    if (fault == "truncated")
        folder.write(name, sound.left(sound.size() / 2));
    else if (fault == "empty")
        folder.write(name, {});
    else if (fault == "oversized") {
        // The sound bytes, then a sparse tail far past every limit.
        folder.write(name, sound);
        return ::truncate(native.constData(), Oversized) == 0;
    } else if (fault == "random bytes")
        folder.write(name, randomBytes(sound.size(), quint32(qHash(name))));
    else if (fault == "fifo")
        return ::mkfifo(native.constData(), 0644) == 0;
    else if (fault == "folder")
        return QDir().mkpath(path) && QFile::copy(ZELVANA_BUILD_FOLDER "/data/subor1.tip", path + "/inside");
    else
        return false;
    return true;
}

// Relative path to what is there: a regular file's size and SHA-256, or the
// kind of anything else. Nothing but regular files is opened.
using Snapshot = QMap<QString, QByteArray>;

inline Snapshot snapshot(const QString& root, const QStringList& skip = {})
{
    Snapshot shot;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        if (skip.contains(name))
            continue;
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
            shot[name] = "vanished";
        } else if (S_ISREG(st.st_mode)) {
            QFile file(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
                shot[name] = "unreadable";
            else
                shot[name] = QByteArray::number(st.st_size) + ' ' + hash.result().toHex();
        } else if (S_ISDIR(st.st_mode)) {
            shot[name] = "folder";
        } else if (S_ISFIFO(st.st_mode)) {
            shot[name] = "fifo";
        } else if (S_ISLNK(st.st_mode)) {
            shot[name] = "link to " + QFile::encodeName(QFile::symLinkTarget(path));
        } else {
            shot[name] = "other";
        }
    }
    return shot;
}

// The names whose entry differs between two snapshots, added and removed ones too.
inline QStringList changedNames(const Snapshot& before, const Snapshot& after)
{
    QStringList names;
    for (auto it = before.begin(); it != before.end(); ++it)
        if (after.value(it.key()) != it.value())
            names << it.key();
    for (auto it = after.begin(); it != after.end(); ++it)
        if (!before.contains(it.key()))
            names << it.key();
    names.sort();
    return names;
}

// The real program, started from `folder` where a hard link (or a copy) of
// the built binary sits, with no desktop to talk to.
class RealProgram {
public:
    // `asUser`: the uid and gid the program runs as, -1 for ours.
    explicit RealProgram(const QString& folder, int asUser = -1) : folder_(folder)
    {
        const QByteArray binary = QFile::encodeName(folder + "/zelvana");
        if (!QFileInfo::exists(folder + "/zelvana") && ::link(ZELVANA_BINARY, binary.constData()) != 0
            && !QFile::copy(ZELVANA_BINARY, folder + "/zelvana"))
            return;
        ::chmod(binary.constData(), 0755);
        const QByteArray work = QFile::encodeName(home_.path());
        if (asUser >= 0 && ::chown(work.constData(), uid_t(asUser), gid_t(asUser)) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::chdir(work.constData()) != 0)
                _exit(126);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("HOME", work.constData(), 1);
            ::setenv("XDG_RUNTIME_DIR", work.constData(), 1);
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
            ::unsetenv("XDG_DATA_HOME");
            if (asUser >= 0 && (::setgid(gid_t(asUser)) != 0 || ::setuid(uid_t(asUser)) != 0))
                _exit(125);
            ::execl(binary.constData(), binary.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~RealProgram() { stop(); }
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    bool started() const { return pid_ > 0; }

    // Waits until the program's main thread sits in its event loop (a message
    // box's or the launcher's) and has used no processor time for a while.
    // Empty when it does; otherwise what it does instead: ended, or stuck in
    // another system call.
    QString waitUntilIdle(int timeoutMs = 90000)
    {
        QElapsedTimer waited;
        waited.start();
        QByteArray lastTimes;
        int quiet = 0;
        QByteArray lastCall;
        while (waited.elapsed() < timeoutMs) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFSIGNALED(status) ? QStringLiteral("killed by signal %1").arg(WTERMSIG(status))
                                           : QStringLiteral("ended with status %1").arg(WEXITSTATUS(status));
            }
            const QByteArray call = currentCall();
            const QByteArray times = cpuTimes();
            const bool waiting = call.isEmpty() ? stateOf() == 'S' : isEventLoopWait(call);
            quiet = waiting && times == lastTimes ? quiet + 1 : 0;
            lastTimes = times;
            lastCall = call;
            if (quiet >= 10)
                return {};
            QTest::qWait(50);
        }
        return QStringLiteral("not idle after %1 ms, last system call %2").arg(timeoutMs).arg(QString(lastCall));
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    QByteArray proc(const char* what) const
    {
        QFile file(QStringLiteral("/proc/%1/%2").arg(pid_).arg(QLatin1String(what)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The number of the system call the main thread is in, "running", or
    // empty where the kernel does not tell us (another user's process).
    QByteArray currentCall() const { return proc("syscall").split(' ').value(0).trimmed(); }
    static bool isEventLoopWait(const QByteArray& call)
    {
        bool ok = false;
        const long number = call.toLong(&ok);
        if (!ok)
            return false;
#ifdef SYS_poll
        if (number == SYS_poll)
            return true;
#endif
        return number == SYS_ppoll;
    }
    QByteArray statFields() const
    {
        const QByteArray stat = proc("stat");
        return stat.mid(stat.lastIndexOf(')') + 2);
    }
    char stateOf() const
    {
        const QByteArray fields = statFields();
        return fields.isEmpty() ? 0 : fields.at(0);
    }
    QByteArray cpuTimes() const
    {
        const QList<QByteArray> fields = statFields().split(' ');
        return fields.value(11) + ' ' + fields.value(12); // utime, stime
    }

    QString folder_;
    QTemporaryDir home_;
    pid_t pid_ = -1;
};

} // namespace faults
