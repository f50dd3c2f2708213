#include "core/records/PersonalJoins.h"

QString NameLine(const PersonalData& p)
{
    return fromCp1250(cutToShort(p.get(Personal::titul) + " " + p.get(Personal::meno) + " " + p.get(Personal::priezvisko)));
}

QString StreetLine(const PersonalData& p)
{
    return fromCp1250(cutToShort(p.get(Personal::ulica) + " " + p.get(Personal::cd)));
}

QString StreetLineWhole(const PersonalData& p)
{
    return fromCp1250(p.get(Personal::ulica) + " " + p.get(Personal::cd));
}

QString TownLine(const PersonalData& p, bool addCountry)
{
    const QString town = fromCp1250(p.get(Personal::mesto));
    return addCountry ? town + QLatin1Char(' ') + fromCp1250(p.get(Personal::stat)) : town;
}

QString PersonalText(const PersonalData& p, Personal field) { return fromCp1250(p.get(field)); }
