#pragma once
// The one application state: both records with their open files, the count of
// open document windows and the platform seams. Windows get a reference to it.
#include "app/Platform.h"
#include "settings/FileError.h"
#include "settings/RecordStore.h"

#include <QString>

class AppState {
public:
    // `programFolder` is the folder of the executable; a trailing separator is added.
    AppState(QString programFolder, Platform& platform);

    const QString& programFolder() const { return folder_; }
    QString pathInProgramFolder(const QString& name) const { return folder_ + name; }

    ProgramSettings& settings() { return records.settings; }
    PersonalData& personal() { return records.personal; }

    RecordStore records;
    Platform& platform;
    int OpenFormCount = 0;

    // Runs an event handler's body; a file error stops it and is shown in a
    // message box, and the program goes on. Returns false when it stopped.
    template <typename F>
    bool guarded(F&& body)
    {
        try {
            body();
            return true;
        } catch (const FileError& e) {
            platform.showMessage(QString::fromLocal8Bit(e.what()));
            return false;
        }
    }

private:
    QString folder_;
};
