#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempProgramFolder::TempProgramFolder()
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

QByteArray TempProgramFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const
{
    QDir().mkpath(QFileInfo(file(name)).absolutePath());
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

bool TempProgramFolder::exists(const QString& name) const { return QFileInfo::exists(file(name)); }

QByteArray shortStringRecord(const QString& text)
{
    QByteArray record(256, '\0');
    writeSlot(reinterpret_cast<unsigned char*>(record.data()), toCp1250(text));
    return record;
}

void TempProgramFolder::writeTips(const QStringList& tips) const
{
    QByteArray bytes;
    for (const QString& tip : tips)
        bytes += shortStringRecord(tip);
    write(QStringLiteral("data/subor1.tip"), bytes);
}

QStringList TempProgramFolder::installShippedTemplates() const
{
    const QDir shipped(QStringLiteral(ZELVANA_SHIPPED_DATA), QStringLiteral("*.obl"), QDir::Name, QDir::Files);
    const QStringList names = shipped.entryList();
    if (names.isEmpty())
        throw std::runtime_error("shipped envelope templates missing");
    for (const QString& name : names) {
        QFile file(shipped.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("shipped envelope template unreadable");
        write(QStringLiteral("data/") + name, file.readAll());
    }
    return names;
}

void TempProgramFolder::installShippedTips() const { installShipped(QStringLiteral("data/subor1.tip")); }

void TempProgramFolder::installShipped(const QString& name) const
{
    QFile shipped(QStringLiteral(ZELVANA_BUILD_FOLDER "/") + name);
    if (!shipped.open(QIODevice::ReadOnly))
        throw std::runtime_error("shipped file missing");
    write(name, shipped.readAll());
}
