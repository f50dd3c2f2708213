#include "slips/PersonalJoins.h"

QString NameLine(const PersonalData& p)
{
    return fromCp1250(cutToShort(p.get(Personal::titul) + " " + p.get(Personal::meno) + " " + p.get(Personal::priezvisko)));
}

QString StreetLine(const PersonalData& p)
{
    return fromCp1250(cutToShort(p.get(Personal::ulica) + " " + p.get(Personal::cd)));
}

QString PersonalText(const PersonalData& p, Personal field) { return fromCp1250(p.get(field)); }
