#pragma once
// The user's own data joined the way every slip and envelope fills it in.
// The blanks go in also when a part is empty.
#include "core/records/PersonalData.h"

#include <QString>

// titul + " " + meno + " " + priezvisko, cut to a short string.
QString NameLine(const PersonalData& p);
// ulica + " " + cd, cut to a short string.
QString StreetLine(const PersonalData& p);
// ulica + " " + cd whole, for a line that goes on after a name.
QString StreetLineWhole(const PersonalData& p);
// mesto, followed by " " + stat when the country is to be added.
QString TownLine(const PersonalData& p, bool addCountry);
// A field as widget text.
QString PersonalText(const PersonalData& p, Personal field);
