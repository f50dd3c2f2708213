#pragma once
// Loading and saving the two record files beside the program.
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"
#include "core/records/RecordFile.h"

#include <QString>

class RecordStore {
public:
    explicit RecordStore(QString programFolder) : folder_(std::move(programFolder)) {}

    ProgramSettings settings;
    PersonalData personal;

    // Both throw FileError; a missing file is created with the defaults. A
    // file too short to read is reported, the record in memory stays as it was
    // and the file stays open: the first save keeps its bytes as <name>.bak.
    void LoadOrCreatePersonalData();
    void LoadOrCreateSettings();
    // Both throw FileError; they return once the record is on the disk.
    void SaveSettings() { settingsFile_.writeRecord(settings.data()); }
    void SavePersonalData() { personalFile_.writeRecord(personal.data()); }

    // uziv.nas first, then program.nas; errors are ignored.
    void closeFiles() noexcept;

    QString settingsPath() const { return folder_ + "program.nas"; }
    QString personalPath() const { return folder_ + "uziv.nas"; }
    bool settingsOpen() const { return settingsFile_.isOpen(); }
    bool personalOpen() const { return personalFile_.isOpen(); }

private:
    QString folder_; // with a trailing separator
    RecordFile settingsFile_{ProgramSettings::Size};
    RecordFile personalFile_{PersonalData::Size};
};
