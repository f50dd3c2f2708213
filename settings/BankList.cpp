#include "settings/BankList.h"

#include "settings/Cp1250.h"
#include "settings/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    QString current;
    bool pending = false; // a line has started or ended with a break
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines << current;
    return lines;
}

QStringList LoadBankList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
        throw FileError("Cannot open file " + QFile::encodeName(path).toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError("Cannot open file " + QFile::encodeName(path).toStdString());
    return SplitLines(fromCp1250(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void SaveBankList(const QString& path, const QStringList& banks)
{
    Cp1250 bytes;
    for (const QString& bank : banks)
        bytes += toCp1250(bank) + "\r\n";
    // Written aside and renamed, so a failed write leaves the old list whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0
        || !file.commit())
        throw FileError("Cannot create file " + QFile::encodeName(path).toStdString());
}

QStringList LoadOrCreateBankList(const QString& path)
{
    if (!QFileInfo::exists(path))
        SaveBankList(path, {});
    return LoadBankList(path);
}
