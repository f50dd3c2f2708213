#include "core/forms/payment/PaymentOrder.h"

#include "core/forms/payment/BankCodes.h"
#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PaymentText.h"
#include "core/base/Cp1250.h"

#include <QRegularExpression>
#include <iterator>

namespace {

constexpr PaymentField FormOrder[] = {
    PaymentField::prijemca, PaymentField::prijemca_ulica, PaymentField::prijemca_mesto,
    PaymentField::iban,     PaymentField::bic,            PaymentField::suma,
    PaymentField::vsymbol,  PaymentField::ksymbol,        PaymentField::ssymbol,
    PaymentField::splatnost, PaymentField::sprava};

QString withoutBlanks(const QString& text)
{
    QString out;
    for (const QChar c : text)
        if (!c.isSpace())
            out += c;
    return out;
}

// The first character code page 1250 cannot hold, for the reason's text.
QString firstOutsideCp1250(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const int n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, n);
        if (!fitsCp1250(c))
            return c;
        i += n - 1;
    }
    return {};
}

QString textProblem(const QString& text, int most, bool required)
{
    const QString t = text.trimmed();
    if (required && t.isEmpty())
        return QStringLiteral("vyplňte meno alebo názov príjemcu");
    if (const QString c = firstOutsideCp1250(t); !c.isEmpty())
        return QStringLiteral("znak „%1“ nemožno použiť").arg(c);
    if (t.size() > most)
        return QStringLiteral("najviac %1 znakov, %2").arg(most).arg(EnteredCount(t.size()));
    return {};
}

QString amountProblem(const QString& text)
{
    const QString t = withoutBlanks(text);
    if (t.isEmpty())
        return QStringLiteral("zadajte sumu v eurách");
    static const QRegularExpression shape(QStringLiteral("^(\\d+)(?:[.,](\\d+))?$"));
    const QRegularExpressionMatch m = shape.match(t);
    if (!m.hasMatch())
        return QStringLiteral("zapíšte sumu číslicami, centy za čiarkou, napríklad 1234,50");
    if (m.captured(2).size() > 2)
        return QStringLiteral("najviac dve desatinné miesta (centy)");
    const std::optional<qint64> cents = ParseEuroCents(t);
    if (!cents || *cents > MaxPaymentCents)
        return QStringLiteral("najviac 9 999 999,99 EUR");
    if (*cents < MinPaymentCents)
        return QStringLiteral("najmenej 0,01 EUR");
    return {};
}

QString symbolProblem(const QString& text, int most)
{
    const QString t = text.trimmed();
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QStringLiteral("len číslice 0 až 9");
    if (t.size() > most)
        return (most <= 4 ? QStringLiteral("najviac %1 číslice, %2") : QStringLiteral("najviac %1 číslic, %2"))
            .arg(most)
            .arg(EnteredCount(t.size()));
    return {};
}

QString dateProblem(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    if (const std::optional<QDate> date = ParseDueDate(text)) {
        const QDate latest = QDate::currentDate().addYears(DueDateYearsAhead);
        if (*date < EarliestDueDate || *date > latest)
            return QStringLiteral("zadajte deň od %1 do %2").arg(DueDateText(EarliestDueDate), DueDateText(latest));
        return {};
    }
    static const QRegularExpression shape(
        QStringLiteral("^\\d{1,2}\\.\\s*\\d{1,2}\\.\\s*\\d{4}$|^\\d{4}-\\d{2}-\\d{2}$"));
    if (shape.match(text.trimmed()).hasMatch())
        return QStringLiteral("taký deň v kalendári nie je");
    return QStringLiteral("zapíšte dátum ako 31. 1. 2027 alebo 2027-01-31");
}

QString bicProblem(const QString& text)
{
    const QString bic = withoutBlanks(text).toUpper();
    if (bic.isEmpty() || IsBicShape(bic))
        return {};
    return QStringLiteral("BIC má 8 alebo 11 písmen a číslic, napríklad SUBASKBX");
}

QString reason(PaymentField f, const QString& text)
{
    switch (f) {
    case PaymentField::prijemca:
        return textProblem(text, PaymentNameMax, true);
    case PaymentField::prijemca_ulica:
    case PaymentField::prijemca_mesto:
        return textProblem(text, PaymentNameMax, false);
    case PaymentField::iban:
        return IbanProblem(NormalizeIban(text));
    case PaymentField::bic:
        return bicProblem(text);
    case PaymentField::suma:
        return amountProblem(text);
    case PaymentField::vsymbol:
    case PaymentField::ssymbol:
        return symbolProblem(text, 10);
    case PaymentField::ksymbol:
        return symbolProblem(text, 4);
    case PaymentField::splatnost:
        return dateProblem(text);
    case PaymentField::sprava:
        return textProblem(text, PaymentMessageMax, false);
    }
    return {};
}

} // namespace

QString& PaymentOrder::operator[](PaymentField f)
{
    return const_cast<QString&>(std::as_const(*this)[f]);
}

const QString& PaymentOrder::operator[](PaymentField f) const
{
    switch (f) {
    case PaymentField::prijemca: return prijemca;
    case PaymentField::prijemca_ulica: return prijemca_ulica;
    case PaymentField::prijemca_mesto: return prijemca_mesto;
    case PaymentField::iban: return iban;
    case PaymentField::bic: return bic;
    case PaymentField::suma: return suma;
    case PaymentField::vsymbol: return vsymbol;
    case PaymentField::ksymbol: return ksymbol;
    case PaymentField::ssymbol: return ssymbol;
    case PaymentField::splatnost: return splatnost;
    case PaymentField::sprava: break;
    }
    return sprava;
}

PaymentOrder PaymentOrderOf(const FieldTexts& texts)
{
    PaymentOrder order;
    for (std::size_t i = 0; i < std::size(PaymentFieldKeys); ++i)
        order[static_cast<PaymentField>(i)] = texts.text(PaymentFieldKeys[i]);
    return order;
}

QString PaymentFieldName(PaymentField f)
{
    switch (f) {
    case PaymentField::prijemca: return QStringLiteral("Príjemca");
    case PaymentField::prijemca_ulica: return QStringLiteral("Ulica príjemcu");
    case PaymentField::prijemca_mesto: return QStringLiteral("PSČ a obec príjemcu");
    case PaymentField::iban: return QStringLiteral("IBAN");
    case PaymentField::bic: return QStringLiteral("BIC");
    case PaymentField::suma: return QStringLiteral("Suma");
    case PaymentField::vsymbol: return QStringLiteral("Variabilný symbol");
    case PaymentField::ksymbol: return QStringLiteral("Konštantný symbol");
    case PaymentField::ssymbol: return QStringLiteral("Špecifický symbol");
    case PaymentField::splatnost: return QStringLiteral("Dátum splatnosti");
    case PaymentField::sprava: break;
    }
    return QStringLiteral("Správa pre príjemcu");
}

QString CheckPaymentField(PaymentField f, const QString& text)
{
    const QString why = reason(f, text);
    return why.isEmpty() ? why : PaymentFieldName(f) + QStringLiteral(": ") + why + QLatin1Char('.');
}

PaymentCheck CheckPayment(const PaymentOrder& order)
{
    PaymentCheck check;
    for (const PaymentField f : FormOrder) {
        check.problem = CheckPaymentField(f, order[f]);
        if (!check.problem.isEmpty()) {
            check.field = f;
            return check;
        }
    }
    CheckedPayment p;
    p.prijemca = order.prijemca.trimmed();
    p.prijemcaUlica = order.prijemca_ulica.trimmed();
    p.prijemcaMesto = order.prijemca_mesto.trimmed();
    p.iban = NormalizeIban(order.iban);
    p.bic = withoutBlanks(order.bic).toUpper();
    p.cents = ParseEuroCents(order.suma).value_or(0);
    p.vsymbol = order.vsymbol.trimmed();
    p.ksymbol = order.ksymbol.trimmed();
    p.ssymbol = order.ssymbol.trimmed();
    p.splatnost = ParseDueDate(order.splatnost).value_or(QDate());
    p.sprava = order.sprava.trimmed();
    check.payment = p;
    return check;
}

QString CheckBicOfIban(const QString& ibanText, const QString& bicText, const BankCodes& banks)
{
    const QString iban = NormalizeIban(ibanText);
    const QString bic = withoutBlanks(bicText).toUpper();
    const QString code = SlovakBankCode(iban);
    if (bic.isEmpty() || code.isEmpty())
        return {};
    QString why;
    if (bic.mid(4, 2) != QLatin1String("SK"))
        why = QStringLiteral("%1 je BIC banky v inej krajine (%2), IBAN je však slovenský").arg(bic, bic.mid(4, 2));
    else
        why = banks.bicMismatch(code, bic);
    return why.isEmpty() ? why : PaymentFieldName(PaymentField::bic) + QStringLiteral(": ") + why + QLatin1Char('.');
}

QString DueDateWarning(const QString& text, const QDate& today)
{
    const std::optional<QDate> date = ParseDueDate(text);
    if (!date || *date >= today || !dateProblem(text).isEmpty())
        return {};
    return QStringLiteral("dátum splatnosti %1 už uplynul").arg(DueDateText(*date));
}

std::optional<qint64> ParseEuroCents(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d+)(?:[.,](\\d{1,2}))?$"));
    const QRegularExpressionMatch m = shape.match(withoutBlanks(text));
    if (!m.hasMatch())
        return std::nullopt;
    QString euros = m.captured(1);
    while (euros.size() > 1 && euros.startsWith(QLatin1Char('0')))
        euros.remove(0, 1);
    if (euros.size() > 7) // beyond any amount allowed, and beyond what fits
        return std::nullopt;
    const qint64 cents = m.captured(2).leftJustified(2, QLatin1Char('0')).toLongLong();
    return euros.toLongLong() * 100 + cents;
}

std::optional<QDate> ParseDueDate(const QString& text)
{
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.\\s*(\\d{1,2})\\.\\s*(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QString t = text.trimmed();
    QDate date;
    if (const QRegularExpressionMatch m = dotted.match(t); m.hasMatch())
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const QRegularExpressionMatch n = iso.match(t); n.hasMatch())
        date = QDate(n.captured(1).toInt(), n.captured(2).toInt(), n.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}
