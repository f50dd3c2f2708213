#include "core/forms/envelope/TemplateList.h"

#include "core/base/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <dirent.h>

QStringList ListTemplates(const QString& dataFolder)
{
    // Without QDir::System, FIFOs, devices and dangling links stay out.
    const QDir data(dataFolder, QStringLiteral("*.obl"), QDir::NoSort, QDir::Files | QDir::Readable);
    QStringList names;
    for (const QFileInfo& entry : data.entryInfoList())
        if (entry.isFile())
            names << entry.fileName();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b; // a stable order for names equal but for case
    });
    return names;
}

QStringList ListTemplateFolder(const QString& dataFolder)
{
    DIR* folder = ::opendir(QFile::encodeName(dataFolder).constData());
    if (!folder)
        throw FileError::fromErrno(errno);
    ::closedir(folder);
    return ListTemplates(dataFolder);
}
