#pragma once
// What every new window does with the two records: fill its controls, then
// print them. Shared by the two record targets.
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"

// For each form: the controls a new window fills from the records are all of
// the form's, none longer than its limit, and a print of them goes out whole
// on one page. Stops the run otherwise.
void CheckFillAndPrint(const ProgramSettings& settings, const PersonalData& personal);
