#include "print/SafeOutput.h"

#include "base/UserFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
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

// `path` with its links followed; a missing last part is kept as named.
QString resolved(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

bool startsAsPdf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
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
    const QFileInfo link(path);
    if (link.isSymLink() && !link.exists())
        return refuse(QStringLiteral("je to odkaz, ktorý nevedie k žiadnemu súboru"));
    if (link.exists() && !link.isFile())
        return refuse(QStringLiteral("nie je to obyčajný súbor (je to priečinok, zariadenie alebo rúra)"));
    const QString target = resolved(path);
    for (const QString& input : inputs)
        if (!input.isEmpty() && resolved(input) == target)
            return refuse(QStringLiteral("je to tabuľka, z ktorej sa tlačí"));
    for (const QString& own : ownFolders) {
        const QString folder = QDir(own).canonicalPath();
        if (folder.isEmpty() || !target.startsWith(folder + QLatin1Char('/')))
            continue;
        const QString relative = target.mid(folder.size() + 1);
        const bool ownFile = relative.startsWith(QLatin1String("data/")) || OwnFileNames.contains(relative)
                             || (QFileInfo::exists(target) && !startsAsPdf(target));
        if (ownFile)
            return refuse(QStringLiteral("je to súbor programu Zelvana v priečinku „%1“").arg(folder));
    }
    return {};
}

ScratchOutput::ScratchOutput(QString target) : target_(resolved(target)) {}

ScratchOutput::~ScratchOutput()
{
    if (!committed_ && !scratch_.isEmpty())
        QFile::remove(scratch_);
}

bool ScratchOutput::open(QString* why)
{
    const QFileInfo info(target_);
    // The rename would replace a file its owner made read-only.
    if (info.exists() && !info.isWritable()) {
        if (why)
            *why = OutputNotWrittenMessage.arg(target_, QStringLiteral("súbor je len na čítanie"));
        return false;
    }
    // Hidden and beside the target: the rename stays on one file system.
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
        if (why)
            *why = OutputNotWrittenMessage.arg(target_, file.errorString());
        return false;
    }
    scratch_ = file.fileName();
    return true;
}

bool ScratchOutput::commit(QString* why)
{
    auto fail = [&](int error) {
        if (why)
            *why = OutputNotWrittenMessage.arg(target_, QString::fromLocal8Bit(std::strerror(error)));
        return false;
    };
    const int fd = ::open(QFile::encodeName(scratch_).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (!synced)
        return fail(syncError);
    // The target keeps its permissions; a new one gets what the umask gives,
    // not the scratch file's 0600.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target_).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(QFile::encodeName(scratch_).constData(), mode);
    if (std::rename(QFile::encodeName(scratch_).constData(), QFile::encodeName(target_).constData()) != 0)
        return fail(errno);
    committed_ = true;
    return true;
}
