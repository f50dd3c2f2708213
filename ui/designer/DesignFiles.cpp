#include "ui/designer/DesignFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool sameBytes(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 20) != fb.read(1 << 20))
            return false;
    return true;
}

} // namespace

QString BackgroundName(const QString& fileName)
{
    QString name = QFileInfo(fileName).fileName();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (QFileInfo(name).completeBaseName().isEmpty())
        name = QStringLiteral("pozadie") + (name.isEmpty() ? QString() : QLatin1Char('.') + name);
    return name;
}

Beside PutBeside(const QString& scanFile, const QString& folder)
{
    const QFileInfo scan(scanFile);
    const QString name = BackgroundName(scan.fileName());
    if (QFileInfo(folder).canonicalFilePath() == scan.canonicalPath() && name == scan.fileName())
        return {name, scan.absoluteFilePath(), {}};
    const QFileInfo base(name);
    const QString suffix = base.suffix().isEmpty() ? QString() : QLatin1Char('.') + base.suffix();
    for (int n = 1; n < 1000; ++n) {
        const QString candidate = n == 1 ? name : base.completeBaseName() + QLatin1Char('-') + QString::number(n) + suffix;
        const QString target = folder + candidate;
        if (QFileInfo::exists(target)) {
            if (sameBytes(scanFile, target))
                return {candidate, target, {}};
            continue; // another form's scan keeps its name
        }
        QFile source(scanFile);
        if (!source.copy(target))
            return {{}, {}, QStringLiteral("Obrázok pozadia sa nepodarilo skopírovať do „%1“: %2").arg(target, source.errorString())};
        return {candidate, target, {}};
    }
    return {{}, {}, QStringLiteral("V priečinku „%1“ už je priveľa obrázkov s názvom „%2“.").arg(folder, name)};
}

QString LayoutSavePath(const QString& chosen, const QString& formsFolder)
{
    QString path = QDir::isRelativePath(chosen) ? formsFolder + chosen : chosen;
    // The desktop's save dialog puts ".csv" on a name typed without an ending.
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path.chop(4);
    if (!path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        path += QLatin1String(".json");
    return QDir::cleanPath(path);
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

QString NewLayoutPath(const QString& formName, const QString& formsFolder)
{
    QString stem;
    for (const QChar c : formName.normalized(QString::NormalizationForm_D).toLower()) {
        if (c.isMark())
            continue;
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            stem += c;
        else if (!stem.isEmpty() && !stem.endsWith(QLatin1Char('-')))
            stem += QLatin1Char('-');
    }
    while (stem.endsWith(QLatin1Char('-')))
        stem.chop(1);
    if (stem.isEmpty())
        stem = QStringLiteral("formular");
    for (int n = 1;; ++n) {
        const QString path = formsFolder + stem + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n))
                             + QStringLiteral(".json");
        if (!QFileInfo::exists(path))
            return path;
    }
}
