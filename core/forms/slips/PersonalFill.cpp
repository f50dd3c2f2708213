#include "core/forms/slips/SlipForms.h"

#include "core/records/PersonalJoins.h"
#include "core/records/ProgramSettings.h"

#include <QStringList>

namespace {

// CU split at its first "/": the number before it, the bank code after it.
QPair<QString, QString> splitAccount(const QString& cu)
{
    const qsizetype slash = cu.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), cu};
    return {cu.left(slash), cu.mid(slash + 1)};
}

} // namespace

FieldTexts SlipAFill(const ProgramSettings& s, const PersonalData& p)
{
    FieldTexts t;
    const bool recipient = s.flag(Flag::SlipAOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipAOwnerIsSender);
    if (s.flag(Flag::AddBank) && recipient)
        t.setText(QStringLiteral("banka"), PersonalText(p, Personal::PU));
    if (s.flag(Flag::AddName) && sender)
        t.setText(QStringLiteral("od1"), NameLine(p));
    if (s.flag(Flag::AddAccount) && recipient) {
        const auto account = splitAccount(PersonalText(p, Personal::CU));
        t.setText(QStringLiteral("cu1"), account.first);
        t.setText(QStringLiteral("cu2"), account.second);
        QString name = PersonalText(p, Personal::nazov);
        name.replace(QLatin1String("\r\n"), QLatin1String("\n")); // stored with CR LF between lines
        t.setText(QStringLiteral("nazov_uctu"), name);
        t.setText(QStringLiteral("vakup"), PersonalText(p, Personal::PV));
        t.setText(QStringLiteral("vakup2"), PersonalText(p, Personal::pv2));
    }
    if (s.flag(Flag::AddConstantSymbol))
        t.setText(QStringLiteral("ksymbol"), PersonalText(p, Personal::ksymbol));
    if (s.flag(Flag::AddAddress) && sender) {
        t.setText(QStringLiteral("od2"), StreetLine(p));
        t.setText(QStringLiteral("odpsc"), PersonalText(p, Personal::psc));
        t.setText(QStringLiteral("od3"), TownLine(p, s.flag(Flag::AddCountry)));
    }
    return t;
}

FieldTexts SlipCFill(const ProgramSettings& s, const PersonalData& p)
{
    FieldTexts t;
    const bool recipient = s.flag(Flag::SlipCOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipCOwnerIsSender);
    if (s.flag(Flag::AddName) && recipient)
        t.setText(QStringLiteral("ad1"), NameLine(p));
    if (s.flag(Flag::AddName) && sender)
        t.setText(QStringLiteral("od1"), NameLine(p));
    auto address = [&](const char* street, const char* psc, const char* town) {
        t.setText(QString::fromLatin1(street), StreetLine(p));
        t.setText(QString::fromLatin1(psc), PersonalText(p, Personal::psc));
        t.setText(QString::fromLatin1(town), TownLine(p, s.flag(Flag::AddCountry)));
    };
    if (s.flag(Flag::AddAddress) && recipient)
        address("ad2", "adpsc", "ad3");
    if (s.flag(Flag::AddAddress) && sender)
        address("od2", "odpsc", "od3");
    return t;
}

FieldTexts SlipDFill(const ProgramSettings& s, const PersonalData& p)
{
    FieldTexts t;
    const bool recipient = s.flag(Flag::SlipDOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipDOwnerIsSender);
    if (s.flag(Flag::AddName) && recipient)
        t.setText(QStringLiteral("ad1"), NameLine(p));
    QString od2;
    if (s.flag(Flag::AddName) && sender)
        od2 = NameLine(p);
    if (s.flag(Flag::AddAddress) && recipient) {
        t.setText(QStringLiteral("ad2"), StreetLine(p));
        t.setText(QStringLiteral("adpsc"), PersonalText(p, Personal::psc));
        t.setText(QStringLiteral("ad3"), TownLine(p, s.flag(Flag::AddCountry)));
    }
    if (s.flag(Flag::AddAddress) && sender) {
        // The sender's name and street share one line, joined by ", ".
        od2 += QStringLiteral(", ") + StreetLineWhole(p);
        t.setText(QStringLiteral("odpsc"), PersonalText(p, Personal::psc));
        t.setText(QStringLiteral("od3"), TownLine(p, s.flag(Flag::AddCountry)));
    }
    if ((s.flag(Flag::AddName) || s.flag(Flag::AddAddress)) && sender)
        t.setText(QStringLiteral("od2"), od2);
    if (s.flag(Flag::AddAccount) && sender)
        t.setText(QStringLiteral("ucet"), PersonalText(p, Personal::CU)); // whole, not split
    if (s.flag(Flag::AddBank) && sender)
        t.setText(QStringLiteral("banka"), PersonalText(p, Personal::PU));
    return t;
}
