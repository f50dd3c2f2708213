#include "core/base/ProgramFolder.h"

#include <QStringDecoder>
#include <climits>
#include <unistd.h>

std::optional<QString> ProgramFolderOf(const QByteArray& executablePath)
{
    if (!executablePath.startsWith('/') || executablePath.contains('\0'))
        return std::nullopt;
    const qsizetype slash = executablePath.lastIndexOf('/');
    const QByteArray folder = executablePath.left(slash + 1);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(folder);
    if (utf8.hasError())
        return std::nullopt;
    return name;
}

std::optional<QString> RunningProgramFolder()
{
    char buffer[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return std::nullopt;
    return ProgramFolderOf(QByteArray(buffer, n));
}
