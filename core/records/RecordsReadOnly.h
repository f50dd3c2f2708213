#pragma once
// The two records as a batch reads them: read-only, never created or written.
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"

#include <QString>

// Both from `programFolder` (with a trailing separator). A missing file gives
// what a new installation has; a file too short or unreadable gives a Slovak
// reason in `problem` and false.
bool ReadRecordsReadOnly(const QString& programFolder, ProgramSettings& settings, PersonalData& personal,
                         QString& problem);
