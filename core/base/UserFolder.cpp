#include "core/base/UserFolder.h"

#include "core/base/ProgramFolder.h"

#include "core/base/CreatedFile.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<QString> absoluteUtf8(const QByteArray& path)
{
    if (!path.startsWith('/') || path.contains('\0'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8.decode(path);
    if (utf8.hasError())
        return std::nullopt;
    if (!name.endsWith(QLatin1Char('/')))
        name += QLatin1Char('/');
    return name;
}

// Files the program only ever reads. Every other shipped file is one the
// user may overwrite (a template of the same name), so it is copied rather
// than linked: a write must never reach the installed copy.
bool onlyRead(const QString& relative)
{
    return relative == QLatin1String("pomoc.hlp") || relative == QLatin1String("data/subor1.tip")
        || relative == QLatin1String("data/oprograme.jpg") || relative == QLatin1String("data/bic.txt")
        || relative.startsWith(QLatin1String("data/pomoc/"));
}

// Whether two regular files hold the same bytes.
bool sameBytes(const QString& one, const QString& other)
{
    try {
        return ReadRegularFile(one, SmallFileLimit) == ReadRegularFile(other, SmallFileLimit);
    } catch (const FileError&) {
        return false;
    }
}

class Preparation {
public:
    explicit Preparation(QString user) : user_(std::move(user)) {}

    bool makeUserFolder()
    {
        QDir().mkpath(QFileInfo(user_.chopped(1)).path()); // a failure shows in the mkdir below
        if (!makeFolder(user_, 0700))
            return false;
        // A folder that was there already (made by hand, by an older
        // version) is made its user's only as well: it holds personal data.
        const QByteArray name = QFile::encodeName(user_);
        struct stat st {};
        if (::stat(name.constData(), &st) == 0 && (st.st_mode & 0777) != 0700 && ::chmod(name.constData(), 0700) != 0)
            return fail(user_, errno);
        return true;
    }

    void link(const QString& from, const QString& to)
    {
        const QByteArray target = QFile::encodeName(from), name = QFile::encodeName(to);
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0) {
            // A copy an earlier version put here and nobody changed gives way
            // to the link, so that updates reach it; any other file is the user's.
            if (!S_ISLNK(st.st_mode)) {
                if (S_ISREG(st.st_mode) && sameBytes(from, to))
                    replaceByLink(target, to);
                return;
            }
            char buffer[PATH_MAX];
            const ssize_t n = ::readlink(name.constData(), buffer, sizeof buffer);
            if (n >= 0 && QByteArray(buffer, n) == target)
                return;
            // A link of an earlier installation elsewhere: point it here.
            if (::unlink(name.constData()) != 0 && errno != ENOENT)
                return (void)fail(to, errno);
        } else if (errno != ENOENT) {
            return (void)fail(to, errno);
        }
        if (::symlink(target.constData(), name.constData()) != 0 && errno != EEXIST)
            fail(to, errno);
    }

    // The link made beside and renamed over the file: `to` is never missing.
    void replaceByLink(const QByteArray& target, const QString& to)
    {
        const QByteArray name = QFile::encodeName(to), beside = name + ".link-" + QByteArray::number(::getpid());
        ::unlink(beside.constData());
        if (::symlink(target.constData(), beside.constData()) != 0)
            return (void)fail(to, errno);
        if (::rename(beside.constData(), name.constData()) != 0) {
            const int err = errno;
            ::unlink(beside.constData());
            fail(to, err);
        }
    }

    // True once the file is the user's: copied now, or there already.
    bool copy(const QString& from, const QString& to)
    {
        const QByteArray name = QFile::encodeName(to);
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0)
            return true; // the user's now, whatever it holds
        if (errno != ENOENT)
            return fail(to, errno);
        try {
            const QByteArray bytes = ReadRegularFile(from, SmallFileLimit);
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd < 0) // EEXIST: a second start was quicker
                return errno == EEXIST || fail(to, errno);
            CreatedFile file(name.toStdString(), fd);
            WriteExactly(fd, reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size()), 0);
            file.keepClosed();
            return true;
        } catch (const FileError& e) {
            return fail(to, QString::fromLocal8Bit(e.what()));
        }
    }

    // The shipped files the user has been given once: one deleted since
    // stays deleted.
    QStringList offered() const
    {
        try {
            const QByteArray bytes = ReadRegularFile(user_ + OfferedFileName, SmallFileLimit);
            return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        } catch (const FileError&) {
            return {}; // none yet (or unreadable: offering again loses nothing)
        }
    }

    void rememberOffered(const QStringList& names)
    {
        QSaveFile file(user_ + OfferedFileName);
        const QByteArray bytes = names.join(QLatin1Char('\n')).toUtf8() + '\n';
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
            || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) || !file.commit())
            fail(user_ + OfferedFileName, file.errorString());
    }

    // The folders of `relative` below the user's folder, one by one.
    bool makeFolders(const QString& relative)
    {
        QString folder = user_;
        for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            folder += part + QLatin1Char('/');
            if (!makeFolder(folder, 0755))
                return false;
        }
        return true;
    }

    const QString& problem() const { return problem_; }

private:
    bool makeFolder(const QString& folder, mode_t mode)
    {
        const QByteArray name = QFile::encodeName(folder);
        if (::mkdir(name.constData(), mode) != 0 && errno != EEXIST)
            return fail(folder, errno);
        struct stat st {};
        if (::stat(name.constData(), &st) != 0)
            return fail(folder, errno);
        if (!S_ISDIR(st.st_mode))
            return fail(folder, ENOTDIR);
        return true;
    }

    bool fail(const QString& path, int err) { return fail(path, QString::fromLocal8Bit(FileError::fromErrno(err).what())); }
    bool fail(const QString& path, const QString& reason)
    {
        if (problem_.isEmpty())
            problem_ = QStringLiteral("Program nemôže pripraviť svoje súbory v priečinku „%1“.\r%2: %3")
                           .arg(user_, path, reason);
        return false;
    }

    QString user_;
    QString problem_;
};

} // namespace

std::optional<QString> InstalledShareFolder(const QString& programFolder)
{
    if (!programFolder.endsWith(QLatin1String("/bin/")))
        return std::nullopt;
    const QString shared = programFolder.chopped(4) + QStringLiteral("share/zelvana/");
    if (!QFileInfo(shared).isDir())
        return std::nullopt;
    return shared;
}

std::optional<QString> UserFolderFor(const QByteArray& xdgDataHome, const QByteArray& home)
{
    // The XDG rule: a relative XDG_DATA_HOME is to be ignored.
    if (const std::optional<QString> data = absoluteUtf8(xdgDataHome))
        return *data + QStringLiteral("Zelvana/");
    if (const std::optional<QString> user = absoluteUtf8(home))
        return *user + QStringLiteral(".local/share/Zelvana/");
    return std::nullopt;
}

std::optional<QString> RunningUserFolder()
{
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty())
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    return UserFolderFor(qgetenv("XDG_DATA_HOME"), home);
}

QString MakeUserFolder(const QString& userFolder)
{
    const QString user = userFolder.endsWith(QLatin1Char('/')) ? userFolder : userFolder + QLatin1Char('/');
    Preparation p(user);
    const QByteArray name = QFile::encodeName(user);
    if (p.makeUserFolder() && ::access(name.constData(), W_OK | X_OK) == 0)
        return {};
    // What stands in the way, when it is something in place of a folder
    // (XDG_DATA_HOME naming a file, say): the user can mend that.
    QString path;
    for (const QString& part : user.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            break;
        if (!S_ISDIR(st.st_mode))
            return UserFolderBlockedMessage.arg(user, path);
    }
    return UserFolderUnusableMessage.arg(user);
}

QString PrepareUserFolder(const QString& shippedFolder, const QString& userFolder)
{
    const QString user = userFolder.endsWith(QLatin1Char('/')) ? userFolder : userFolder + QLatin1Char('/');
    Preparation p(user);
    if (!p.makeUserFolder())
        return p.problem();
    p.makeFolders(QStringLiteral("data")); // where new templates go
    const QStringList offered = p.offered();
    QStringList nowOffered = offered;
    const QDir root(shippedFolder);
    QDirIterator shipped(shippedFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (shipped.hasNext()) {
        const QString relative = root.relativeFilePath(shipped.next());
        const QString from = root.absoluteFilePath(relative);
        const QString to = user + relative;
        const QString folder = QFileInfo(relative).path();
        if (folder != QLatin1String(".") && !p.makeFolders(folder))
            continue;
        // What the program only reads is its own and always linked; the rest
        // is offered once.
        if (onlyRead(relative))
            p.link(from, to);
        else if (!offered.contains(relative) && p.copy(from, to))
            nowOffered << relative;
    }
    if (nowOffered != offered)
        p.rememberOffered(nowOffered);
    return p.problem();
}

FilesFolder RunningFilesFolder()
{
    const std::optional<QString> folder = RunningProgramFolder();
    if (!folder)
        return {std::nullopt, NoProgramFolderMessage};
    const std::optional<QString> shipped = InstalledShareFolder(*folder);
    if (!shipped)
        return {folder, {}};
    const std::optional<QString> user = RunningUserFolder();
    if (!user)
        return {std::nullopt, NoUserFolderMessage};
    // Without the folder itself nothing can be kept: one message, and the end.
    if (const QString unusable = MakeUserFolder(*user); !unusable.isEmpty())
        return {std::nullopt, unusable};
    // A file that could not be put in place is named; the run goes on and
    // what needs that file reports it when it is used.
    return {user, PrepareUserFolder(*shipped, *user)};
}
