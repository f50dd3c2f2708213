#include "core/print/SafeOutput.h"

#include "core/base/UserFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files the program keeps directly in its folder, written or not yet.
const QStringList OwnFileNames{QStringLiteral("program.nas"), QStringLiteral("uziv.nas"),
                               QStringLiteral("banky.cbx"),   QStringLiteral("tlaciarne.ini"),
                               QStringLiteral("pomoc.hlp"),   QStringLiteral(".zelvana.lock"),
                               QStringLiteral(".ponuknute"),  QStringLiteral("zelvana"),
                               QStringLiteral("zelvana-batch")};

// As many links as the kernel follows in one path.
constexpr int MaxLinks = 40;

// Where a path leads: absolute, without a link in it, a missing tail kept as named.
struct Walk {
    QByteArray path;
    QByteArray blockedLink; // a link that must not be followed, when there was one
    bool looped = false;
};

// "/a/b/c" -> {"/a/b", "c"}; "/c" -> {"/", "c"}.
std::pair<QByteArray, QByteArray> splitLast(const QByteArray& path)
{
    const qsizetype at = path.lastIndexOf('/');
    return {at <= 0 ? QByteArray("/") : path.left(at), path.mid(at + 1)};
}

// The kernel's rule for protected links: in a sticky folder anyone may
// write, only the user's own links and the folder owner's are followed.
// A path resolved here never reaches the kernel's check, so it is made here.
bool mayFollow(const struct stat& link, const QByteArray& folder)
{
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0)
        return false;
    if (!(dir.st_mode & S_ISVTX) || !(dir.st_mode & S_IWOTH))
        return true;
    return link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

Walk followLinks(const QString& given)
{
    Walk walk;
    QByteArray start = QFile::encodeName(given);
    if (!start.startsWith('/'))
        start = QFile::encodeName(QDir::currentPath()) + '/' + start;
    QList<QByteArray> todo = start.split('/');
    QByteArray done; // "" is the root
    bool missing = false;
    int links = 0;
    while (!todo.isEmpty()) {
        const QByteArray part = todo.takeFirst();
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            done.truncate(std::max<qsizetype>(0, done.lastIndexOf('/')));
            continue;
        }
        const QByteArray next = done + '/' + part;
        struct stat st {};
        missing = missing || ::lstat(next.constData(), &st) != 0;
        if (missing || !S_ISLNK(st.st_mode)) {
            done = next;
            continue;
        }
        if (!mayFollow(st, done.isEmpty() ? QByteArray("/") : done)) {
            walk.blockedLink = next;
            return walk;
        }
        char target[PATH_MAX];
        const ssize_t size = ::readlink(next.constData(), target, sizeof target);
        if (++links > MaxLinks || size <= 0 || size == static_cast<ssize_t>(sizeof target)) {
            walk.looped = true;
            return walk;
        }
        const QByteArray to(target, size);
        if (to.startsWith('/'))
            done.clear();
        todo = to.split('/') + todo;
    }
    walk.path = done.isEmpty() ? QByteArray("/") : done;
    return walk;
}

bool startsAsPdf(const QByteArray& path)
{
    QFile f(QFile::decodeName(path));
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

// The outcome of a failed system call, in Slovak words.
QString systemReason(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("priečinok alebo súbor neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("nemáte právo zapisovať");
    case EROFS:
        return QStringLiteral("disk je len na čítanie");
    case ENOSPC:
        return QStringLiteral("na disku nie je miesto");
    case EDQUOT:
        return QStringLiteral("prekročili ste kvótu na disku");
    case EFBIG:
        return QStringLiteral("súbor je príliš veľký");
    case ENAMETOOLONG:
        return QStringLiteral("názov je príliš dlhý");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// What keeps a link or the kind of file from being written through.
QString shapeRefusal(const QString& given, const Walk& walk)
{
    auto refuse = [&](const QString& why) { return OutputRefusedMessage.arg(given, why); };
    if (!walk.blockedLink.isEmpty())
        return refuse(QStringLiteral("vedie cez odkaz „%1“, ktorý patrí inému používateľovi a je v priečinku, "
                                     "kam môže zapisovať každý")
                          .arg(QFile::decodeName(walk.blockedLink)));
    if (walk.looped)
        return refuse(QStringLiteral("odkazy na ceste k nemu sa zacyklili"));
    struct stat st {};
    const bool exists = ::lstat(walk.path.constData(), &st) == 0;
    struct stat link {};
    if (!exists && ::lstat(QFile::encodeName(given).constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return refuse(QStringLiteral("je to odkaz, ktorý nevedie k žiadnemu súboru"));
    if (exists && !S_ISREG(st.st_mode))
        return refuse(QStringLiteral("nie je to obyčajný súbor (je to priečinok, zariadenie alebo rúra)"));
    return {};
}

// What keeps an existing file from being replaced, or a new one from being made.
QString contentRefusal(const QString& given, const Walk& walk)
{
    auto impossible = [&](const QString& why) { return OutputImpossibleMessage.arg(given, why); };
    struct stat st {};
    if (::stat(walk.path.constData(), &st) == 0) {
        // Whatever else it may be, its loss would not be a PDF printed again.
        // An empty file (mktemp's) holds nothing to lose.
        if (st.st_size > 0 && !startsAsPdf(walk.path))
            return OutputRefusedMessage.arg(given, QStringLiteral("súbor už existuje a nie je to PDF; "
                                                                  "prepísať sa smie len súbor PDF"));
        // Even where the rename would go through, a file its owner made
        // read-only is not replaced.
        if ((st.st_mode & 0222) == 0)
            return impossible(QStringLiteral("súbor je len na čítanie"));
        if (::access(walk.path.constData(), W_OK) != 0)
            return impossible(errno == EROFS ? QStringLiteral("súbor je na disku, ktorý je len na čítanie")
                                             : QStringLiteral("do súboru nemáte právo zapisovať"));
    }
    const QByteArray folderBytes = splitLast(walk.path).first;
    const QString folder = QFile::decodeName(folderBytes);
    struct stat dir {};
    if (::stat(folderBytes.constData(), &dir) != 0) {
        if (errno == ENOENT)
            return impossible(QStringLiteral("priečinok „%1“ neexistuje").arg(folder));
        if (errno == ENOTDIR)
            return impossible(QStringLiteral("„%1“ nie je priečinok").arg(folder));
        if (errno == EACCES)
            return impossible(QStringLiteral("k priečinku „%1“ nemáte prístup").arg(folder));
        return impossible(QStringLiteral("priečinok „%1“: %2").arg(folder, systemReason(errno)));
    }
    if (!S_ISDIR(dir.st_mode))
        return impossible(QStringLiteral("„%1“ nie je priečinok").arg(folder));
    if (::access(folderBytes.constData(), W_OK | X_OK) != 0) {
        if (errno == EROFS)
            return impossible(QStringLiteral("priečinok „%1“ je na disku, ktorý je len na čítanie").arg(folder));
        return impossible(QStringLiteral("do priečinka „%1“ nemáte právo zapisovať").arg(folder));
    }
    return {};
}

bool sameFile(const QByteArray& a, const QString& b)
{
    struct stat first {}, second {};
    return ::stat(a.constData(), &first) == 0 && ::stat(QFile::encodeName(b).constData(), &second) == 0
           && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

QStringList ProgramOwnFolders(const QString& filesFolder)
{
    QStringList folders{filesFolder};
    const QString exe = QCoreApplication::applicationDirPath();
    if (!exe.isEmpty()) {
        folders << exe + QLatin1Char('/');
        if (const auto share = InstalledShareFolder(exe + QLatin1Char('/')))
            folders << *share;
    }
    return folders;
}

QString OutputFileRefusal(const QString& path, const QStringList& ownFolders, const QStringList& inputs)
{
    auto refuse = [&](const QString& why) { return OutputRefusedMessage.arg(path, why); };
    const Walk walk = followLinks(path);
    if (const QString shape = shapeRefusal(path, walk); !shape.isEmpty())
        return shape;
    const QString target = QFile::decodeName(walk.path);
    for (const QString& input : inputs)
        if (!input.isEmpty() && (sameFile(walk.path, input) || followLinks(input).path == walk.path))
            return refuse(QStringLiteral("je to tabuľka, z ktorej sa tlačí"));
    for (const QString& own : ownFolders) {
        const QString folder = QDir(own).canonicalPath();
        if (folder.isEmpty() || !target.startsWith(folder + QLatin1Char('/')))
            continue;
        const QString relative = target.mid(folder.size() + 1);
        const bool ownFile = relative.startsWith(QLatin1String("data/")) || OwnFileNames.contains(relative)
                             || (QFileInfo::exists(target) && !startsAsPdf(walk.path));
        if (ownFile)
            return refuse(QStringLiteral("je to súbor programu Zelvana v priečinku „%1“").arg(folder));
    }
    return contentRefusal(path, walk);
}

ScratchOutput::ScratchOutput(QString target) : target_(std::move(target)) {}

ScratchOutput::~ScratchOutput()
{
    if (!committed_ && !scratchName_.isEmpty())
        ::unlinkat(folder_, scratchName_.constData(), 0);
    if (folder_ >= 0)
        ::close(folder_);
}

bool ScratchOutput::open(QString* why)
{
    auto fail = [&](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    if (folder_ >= 0)
        return fail(OutputNotWrittenMessage.arg(target_, systemReason(EBUSY)));
    const Walk walk = followLinks(target_);
    if (QString refusal = shapeRefusal(target_, walk); !refusal.isEmpty())
        return fail(refusal);
    if (QString refusal = contentRefusal(target_, walk); !refusal.isEmpty())
        return fail(refusal);
    const auto [folder, name] = splitLast(walk.path);
    folder_ = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        return fail(OutputNotWrittenMessage.arg(target_, systemReason(errno)));
    targetName_ = name;
    // Hidden and beside the target: the rename stays on one file system.
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray scratch = '.' + name + '.';
        for (int i = 0; i < 6; ++i)
            scratch += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[QRandomGenerator::global()->bounded(62)];
        const int fd = ::openat(folder_, scratch.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(OutputNotWrittenMessage.arg(target_, systemReason(errno)));
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
        device_ = st.st_dev;
        inode_ = st.st_ino;
        scratchName_ = scratch;
        scratch_ = QFile::decodeName(folder + (folder.endsWith('/') ? "" : "/") + scratch);
        return true;
    }
    return fail(OutputNotWrittenMessage.arg(target_, systemReason(EEXIST)));
}

bool ScratchOutput::commit(QString* why)
{
    auto fail = [&](const QString& reason) {
        if (why)
            *why = OutputNotWrittenMessage.arg(target_, reason);
        return false;
    };
    if (scratchName_.isEmpty() || committed_)
        return fail(systemReason(EBADF));
    const int fd = ::openat(folder_, scratchName_.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return fail(systemReason(errno));
    struct stat st {};
    // The job must have written the file made here, not one put in its place.
    if (::fstat(fd, &st) != 0 || st.st_dev != device_ || st.st_ino != inode_) {
        ::close(fd);
        return fail(QStringLiteral("pomocný súbor vedľa neho medzitým niekto vymenil"));
    }
    // A job that wrote somewhere else, or nothing, must not empty the target.
    char head[5] = {};
    if (::pread(fd, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head) || std::memcmp(head, "%PDF-", 5) != 0) {
        ::close(fd);
        return fail(QStringLiteral("do pomocného súboru vedľa neho sa nezapísalo PDF"));
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    // The target keeps its permissions; a new one gets what the umask gives,
    // not the scratch file's 0600.
    struct stat old {};
    mode_t mode = 0;
    if (::fstatat(folder_, targetName_.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    ::close(fd);
    if (!synced)
        return fail(systemReason(syncError));
    // Within the folder held since open(): nothing on the way is looked up again.
    if (::renameat(folder_, scratchName_.constData(), folder_, targetName_.constData()) != 0)
        return fail(systemReason(errno));
    committed_ = true;
    ::fsync(folder_); // the new name reaches the disk as well
    return true;
}
