#include "slips/PersonalFill.h"

#include "slips/PersonalJoins.h"

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

ControlTexts fillA(const ProgramSettings& s, const PersonalData& p)
{
    ControlTexts t;
    const bool recipient = s.flag(Flag::SlipAOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipAOwnerIsSender);
    if (s.flag(Flag::AddBank) && recipient)
        t.append({"banka", PersonalText(p, Personal::PU)});
    if (s.flag(Flag::AddName) && sender)
        t.append({"od1", NameLine(p)});
    if (s.flag(Flag::AddAccount) && recipient) {
        const auto account = splitAccount(PersonalText(p, Personal::CU));
        t.append({"cu1", account.first});
        t.append({"cu2", account.second});
        QString name = PersonalText(p, Personal::nazov);
        name.replace(QLatin1String("\r\n"), QLatin1String("\n")); // stored with CR LF between lines
        t.append({"nazov_uctu", name});
        t.append({"vakup", PersonalText(p, Personal::PV)});
        t.append({"vakup2", PersonalText(p, Personal::pv2)});
    }
    if (s.flag(Flag::AddConstantSymbol))
        t.append({"ksymbol", PersonalText(p, Personal::ksymbol)});
    if (s.flag(Flag::AddAddress) && sender) {
        t.append({"od2", StreetLine(p)});
        t.append({"odpsc", PersonalText(p, Personal::psc)});
        t.append({"od3", TownLine(p, s.flag(Flag::AddCountry))});
    }
    return t;
}

ControlTexts fillC(const ProgramSettings& s, const PersonalData& p)
{
    ControlTexts t;
    const bool recipient = s.flag(Flag::SlipCOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipCOwnerIsSender);
    if (s.flag(Flag::AddName) && recipient)
        t.append({"ad1", NameLine(p)});
    if (s.flag(Flag::AddName) && sender)
        t.append({"od1", NameLine(p)});
    auto address = [&](const char* street, const char* psc, const char* town) {
        t.append({street, StreetLine(p)});
        t.append({psc, PersonalText(p, Personal::psc)});
        t.append({town, TownLine(p, s.flag(Flag::AddCountry))});
    };
    if (s.flag(Flag::AddAddress) && recipient)
        address("ad2", "adpsc", "ad3");
    if (s.flag(Flag::AddAddress) && sender)
        address("od2", "odpsc", "od3");
    return t;
}

ControlTexts fillD(const ProgramSettings& s, const PersonalData& p)
{
    ControlTexts t;
    const bool recipient = s.flag(Flag::SlipDOwnerIsRecipient);
    const bool sender = s.flag(Flag::SlipDOwnerIsSender);
    if (s.flag(Flag::AddName) && recipient)
        t.append({"ad1", NameLine(p)});
    QString od2;
    if (s.flag(Flag::AddName) && sender)
        od2 = NameLine(p);
    if (s.flag(Flag::AddAddress) && recipient) {
        t.append({"ad2", StreetLine(p)});
        t.append({"adpsc", PersonalText(p, Personal::psc)});
        t.append({"ad3", TownLine(p, s.flag(Flag::AddCountry))});
    }
    if (s.flag(Flag::AddAddress) && sender) {
        // The sender's name and street share one line, joined by ", ".
        od2 += QStringLiteral(", ") + StreetLineWhole(p);
        t.append({"odpsc", PersonalText(p, Personal::psc)});
        t.append({"od3", TownLine(p, s.flag(Flag::AddCountry))});
    }
    if ((s.flag(Flag::AddName) || s.flag(Flag::AddAddress)) && sender)
        t.append({"od2", od2});
    if (s.flag(Flag::AddAccount) && sender)
        t.append({"ucet", PersonalText(p, Personal::CU)}); // whole, not split
    if (s.flag(Flag::AddBank) && sender)
        t.append({"banka", PersonalText(p, Personal::PU)});
    return t;
}

ControlTexts fillEnvelope(const ProgramSettings& s, const PersonalData& p)
{
    const bool recipient = s.flag(Flag::EnvelopeOwnerIsRecipient);
    const bool sender = s.flag(Flag::EnvelopeOwnerIsSender);
    // Joined whole: a memo line has no length limit.
    const QString name = PersonalText(p, Personal::titul) + QLatin1Char(' ') + PersonalText(p, Personal::meno)
                         + QLatin1Char(' ') + PersonalText(p, Personal::priezvisko);
    QStringList address{StreetLineWhole(p),
                        PersonalText(p, Personal::psc) + QLatin1Char(' ') + PersonalText(p, Personal::mesto)};
    if (s.flag(Flag::AddCountry))
        address << PersonalText(p, Personal::stat);
    QStringList toAdr, toOd;
    if (s.flag(Flag::AddName) && recipient)
        toAdr << name;
    if (s.flag(Flag::AddName) && sender)
        toOd << name;
    if (s.flag(Flag::AddAddress) && recipient)
        toAdr << address;
    if (s.flag(Flag::AddAddress) && sender)
        toOd << address;
    return {{"adr", toAdr.join(QLatin1Char('\n'))},
            {"od", toOd.join(QLatin1Char('\n'))},
            {"sablona", fromCp1250(s.envelopeTemplateName())}};
}

} // namespace

ControlTexts PersonalFill(DocumentForm form, const ProgramSettings& s, const PersonalData& p)
{
    switch (form) {
    case DocumentForm::SlipA:
        return fillA(s, p);
    case DocumentForm::SlipC:
        return fillC(s, p);
    case DocumentForm::SlipD:
        return fillD(s, p);
    case DocumentForm::Envelope:
        return fillEnvelope(s, p);
    }
    return {};
}
