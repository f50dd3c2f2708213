#pragma once
// What a new window fills in from the personal data as the settings say:
// control name to text, before the control's length limit cuts it. The
// windows and the batch printer both take their texts from here.
#include "settings/PersonalData.h"
#include "settings/ProgramSettings.h"
#include "slips/SlipControls.h"

#include <QList>
#include <QPair>
#include <QString>

using ControlTexts = QList<QPair<QString, QString>>;

ControlTexts PersonalFill(DocumentForm form, const ProgramSettings& s, const PersonalData& p);
