#include "core/records/RecordsReadOnly.h"

#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QFileInfo>
#include <cstring>

namespace {

// False when the file is there but gives no whole record.
bool readRecord(const QString& path, unsigned char* record, std::size_t size, QString& problem)
{
    if (!QFileInfo::exists(path))
        return true;
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(path, SmallFileLimit);
    } catch (const FileError& e) {
        problem = QStringLiteral("Súbor „%1“ sa nepodarilo prečítať: %2").arg(path, QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (static_cast<std::size_t>(bytes.size()) < size) {
        problem = QStringLiteral("Súbor „%1“ je príliš krátky (%2 bajtov z %3), nedá sa z neho čítať. "
                                 "Otvorte ho raz v programe Zelvana a uložte nastavenia.")
                      .arg(path)
                      .arg(bytes.size())
                      .arg(size);
        return false;
    }
    std::memcpy(record, bytes.constData(), size);
    return true;
}

} // namespace

bool ReadRecordsReadOnly(const QString& programFolder, ProgramSettings& settings, PersonalData& personal,
                         QString& problem)
{
    settings.setDefaults();
    personal = PersonalData();
    return readRecord(programFolder + QStringLiteral("program.nas"), settings.data(), ProgramSettings::Size, problem)
           && readRecord(programFolder + QStringLiteral("uziv.nas"), personal.data(), PersonalData::Size, problem);
}
