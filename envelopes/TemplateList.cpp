#include "envelopes/TemplateList.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

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
