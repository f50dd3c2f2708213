#include "core/records/RecordStore.h"

#include <QFile>

void RecordStore::LoadOrCreatePersonalData()
{
    // A new file is all zeros: 14 empty strings.
    PersonalData fresh;
    personalFile_.openOrCreate(QFile::encodeName(personalPath()).toStdString(), fresh.data());
    personal = fresh;
}

void RecordStore::LoadOrCreateSettings()
{
    ProgramSettings record;
    record.setDefaults();
    settingsFile_.openOrCreate(QFile::encodeName(settingsPath()).toStdString(), record.data());
    settings = record;
}

void RecordStore::closeFiles() noexcept
{
    personalFile_.close();
    settingsFile_.close();
}
