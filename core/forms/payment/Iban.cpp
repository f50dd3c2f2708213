#include "core/forms/payment/Iban.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// IBAN lengths of the countries in the SEPA area.
const QHash<QString, int>& sepaLengths()
{
    static const QHash<QString, int> lengths = {
        {QStringLiteral("AD"), 24}, {QStringLiteral("AL"), 28}, {QStringLiteral("AT"), 20},
        {QStringLiteral("BE"), 16}, {QStringLiteral("BG"), 22}, {QStringLiteral("CH"), 21},
        {QStringLiteral("CY"), 28}, {QStringLiteral("CZ"), 24}, {QStringLiteral("DE"), 22},
        {QStringLiteral("DK"), 18}, {QStringLiteral("EE"), 20}, {QStringLiteral("ES"), 24},
        {QStringLiteral("FI"), 18}, {QStringLiteral("FR"), 27}, {QStringLiteral("GB"), 22},
        {QStringLiteral("GI"), 23}, {QStringLiteral("GR"), 27}, {QStringLiteral("HR"), 21},
        {QStringLiteral("HU"), 28}, {QStringLiteral("IE"), 22}, {QStringLiteral("IS"), 26},
        {QStringLiteral("IT"), 27}, {QStringLiteral("LI"), 21}, {QStringLiteral("LT"), 20},
        {QStringLiteral("LU"), 20}, {QStringLiteral("LV"), 21}, {QStringLiteral("MC"), 27},
        {QStringLiteral("MD"), 24}, {QStringLiteral("ME"), 22}, {QStringLiteral("MK"), 19},
        {QStringLiteral("MT"), 31}, {QStringLiteral("NL"), 18}, {QStringLiteral("NO"), 15},
        {QStringLiteral("PL"), 28}, {QStringLiteral("PT"), 25}, {QStringLiteral("RO"), 24},
        {QStringLiteral("RS"), 22}, {QStringLiteral("SE"), 24}, {QStringLiteral("SI"), 19},
        {QStringLiteral("SK"), 24}, {QStringLiteral("SM"), 27}, {QStringLiteral("VA"), 22}};
    return lengths;
}

bool isUpperAlnum(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The remainder modulo 97 of the IBAN read with its first four characters
// moved to the end and each letter as two digits (A = 10 ... Z = 35).
int mod97(const QString& iban)
{
    const QString moved = iban.mid(4) + iban.left(4);
    int r = 0;
    for (const QChar c : moved) {
        const int v = c.isDigit() ? c.unicode() - '0' : c.unicode() - 'A' + 10;
        r = v >= 10 ? (r * 100 + v) % 97 : (r * 10 + v) % 97;
    }
    return r;
}

// Weighted sum of the digits, aligned right on the weights.
bool slovakAccountCheck(const QString& digits)
{
    static constexpr int Weights[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    const int offset = 10 - static_cast<int>(digits.size());
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += (digits[i].unicode() - '0') * Weights[offset + i];
    return sum % 11 == 0;
}

// The checks of a Slovak account, prefix (6 digits) and number (10 digits),
// however it was written: as "19-123457/0200" or inside an IBAN.
QString slovakAccountProblem(const QString& prefix, const QString& number)
{
    if (!slovakAccountCheck(prefix))
        return QStringLiteral("predčíslie účtu nemá správny kontrolný súčet");
    if (number.count(QLatin1Char('0')) == number.size())
        return QStringLiteral("číslo účtu nemôže byť samé nuly");
    if (!slovakAccountCheck(number))
        return QStringLiteral("číslo účtu nemá správny kontrolný súčet");
    return {};
}

// A Slovak IBAN past its check digits: bank code, prefix and number, all digits.
QString slovakIbanProblem(const QString& iban)
{
    for (const QChar c : iban.mid(4))
        if (!c.isDigit())
            return QStringLiteral("slovenský IBAN má za kontrolnými číslicami len číslice (kód banky, predčíslie "
                                  "a číslo účtu), nie znak „%1“")
                .arg(c);
    return slovakAccountProblem(iban.mid(8, 6), iban.mid(14));
}

} // namespace

QString EnteredCount(qsizetype n)
{
    if (n == 1)
        return QStringLiteral("zadaný je 1");
    if (n >= 2 && n <= 4)
        return QStringLiteral("zadané sú %1").arg(n);
    return QStringLiteral("zadaných je %1").arg(n);
}

QString NormalizeIban(const QString& text)
{
    QString out;
    for (const QChar c : text)
        if (!c.isSpace())
            out += c.toUpper();
    return out;
}

int IbanLength(const QString& country)
{
    return sepaLengths().value(country, 0);
}

QString IbanProblem(const QString& iban)
{
    if (iban.isEmpty())
        return QStringLiteral("zadajte IBAN príjemcu");
    for (const QChar c : iban)
        if (!isUpperAlnum(c))
            return QStringLiteral("smie obsahovať len písmená A až Z a číslice, nie znak „%1“").arg(c);
    const QString country = iban.left(2);
    if (iban.size() < 2 || country[0].isDigit() || country[1].isDigit())
        return QStringLiteral("musí sa začínať dvojpísmenovým kódom krajiny");
    const int length = IbanLength(country);
    if (length == 0)
        return QStringLiteral("kód krajiny %1 nepatrí žiadnej krajine oblasti SEPA").arg(country);
    if (iban.size() != length)
        return QStringLiteral("v krajine %1 má %2 znakov, %3").arg(country).arg(length).arg(EnteredCount(iban.size()));
    if (!iban[2].isDigit() || !iban[3].isDigit())
        return QStringLiteral("tretí a štvrtý znak sú kontrolné číslice");
    if (mod97(iban) != 1)
        return QStringLiteral("nesprávny kontrolný súčet, skontrolujte opísané znaky");
    // Mod 97 alone lets through accounts no Slovak bank can keep.
    if (country == QLatin1String("SK"))
        return slovakIbanProblem(iban);
    return {};
}

std::optional<QString> IbanFromSlovakAccount(const QString& account, QString* problem)
{
    const auto refuse = [&](const QString& why) -> std::optional<QString> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    static const QRegularExpression shape(QStringLiteral("^(?:(\\d{1,6})\\s*-\\s*)?(\\d{1,10})\\s*/\\s*(\\d{4})$"));
    const QRegularExpressionMatch m = shape.match(account.trimmed());
    if (!m.hasMatch())
        return refuse(QStringLiteral("číslo účtu zapíšte ako predčíslie-číslo/kód banky, napríklad 19-123457/0200"));
    const QString prefix = m.captured(1).rightJustified(6, QLatin1Char('0'));
    const QString number = m.captured(2).rightJustified(10, QLatin1Char('0'));
    if (const QString why = slovakAccountProblem(prefix, number); !why.isEmpty())
        return refuse(why);
    const QString body = m.captured(3) + prefix + number;
    // Check digits: 98 minus the remainder with "00" in their place.
    const int check = 98 - mod97(QStringLiteral("SK00") + body);
    return QStringLiteral("SK%1").arg(check, 2, 10, QLatin1Char('0')) + body;
}

QString GroupIban(const QString& iban)
{
    QString out;
    for (int i = 0; i < iban.size(); i += 4) {
        if (i > 0)
            out += QLatin1Char(' ');
        out += iban.mid(i, 4);
    }
    return out;
}

QString SlovakBankCode(const QString& iban)
{
    return iban.size() == 24 && iban.startsWith(QLatin1String("SK")) ? iban.mid(4, 4) : QString();
}
