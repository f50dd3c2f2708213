#include "core/forms/payment/PaymentForm.h"

#include "core/forms/payment/BankCodes.h"
#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PaymentPage.h"
#include "core/records/PersonalJoins.h"

#include <iterator>
#include <string_view>

namespace {

constexpr int M = DefaultMaxLength;
// The rules themselves refuse a text too long, with the field's name; the
// edits take more so a refusal is told rather than typing silently stopped.
constexpr FieldSpec Fields[] = {
    {"prijemca", FieldKind::Line, M, "", "Príjemca"},
    {"prijemca_ulica", FieldKind::Line, M, "", "Ulica príjemcu"},
    {"prijemca_mesto", FieldKind::Line, M, "", "PSČ a obec príjemcu"},
    {"iban", FieldKind::Line, M, "", "IBAN"},
    {"bic", FieldKind::Line, M, "", "BIC"},
    {"suma", FieldKind::Line, M, "", "Suma (EUR)"},
    {"vsymbol", FieldKind::Line, M, "", "Variabilný symbol"},
    {"ksymbol", FieldKind::Line, M, "", "Konštantný symbol"},
    {"ssymbol", FieldKind::Line, M, "", "Špecifický symbol"},
    {"splatnost", FieldKind::Line, M, "", "Dátum splatnosti"},
    {"sprava", FieldKind::Line, M, "", "Správa pre príjemcu"},
    {"adresat", FieldKind::Memo, M, "", "Platiteľ (do okna obálky)"},
};

constexpr PaymentField Order[] = {
    PaymentField::prijemca, PaymentField::prijemca_ulica, PaymentField::prijemca_mesto, PaymentField::iban,
    PaymentField::bic,      PaymentField::suma,           PaymentField::vsymbol,        PaymentField::ksymbol,
    PaymentField::ssymbol,  PaymentField::splatnost,      PaymentField::sprava};

// The payment's own fields come first, named as the order's texts are.
constexpr bool keysAgree()
{
    for (std::size_t i = 0; i < std::size(PaymentFieldKeys); ++i)
        if (std::string_view(Fields[i].name) != PaymentFieldKeys[i])
            return false;
    return true;
}
static_assert(keysAgree());

const char* nameOf(PaymentField f) { return Fields[static_cast<int>(f)].name; }

FieldTexts fill(const ProgramSettings&, const PersonalData& p)
{
    FieldTexts t;
    t.setText(QStringLiteral("prijemca"), NameLine(p).simplified());
    t.setText(QStringLiteral("prijemca_ulica"), StreetLine(p).simplified());
    t.setText(QStringLiteral("prijemca_mesto"),
              (PersonalText(p, Personal::psc) + QLatin1Char(' ') + PersonalText(p, Personal::mesto)).simplified());
    t.setText(QStringLiteral("ksymbol"), PersonalText(p, Personal::ksymbol).trimmed());
    t.setText(QStringLiteral("iban"), PersonalIban(p));
    return t;
}

// The address goes into the envelope window line by line, never wrapped.
QStringList memoLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

FrameResult frame(const FormDescription&, const ProgramSettings&, const QString&, const FieldTexts&, FrameCache*)
{
    return {PageFrame{}, {}};
}

void draw(const FormDescription&, PrintCanvas& canvas, const PageMeasures& page, const FormPage& p)
{
    DrawPaymentPage(canvas, page, p.texts, dynamic_cast<const PaymentCode*>(p.made.get()));
}

Guide sketch(const FormDescription&, const PageMeasures& page, const PageFrame&, SketchUse use)
{
    return SketchPaymentPage(page, use == SketchUse::UnderText);
}

QString placement(const PageFrame*)
{
    return QStringLiteral("Strana A4 na výšku; adresa platiteľa v okne obálky DL podľa DIN 5008, tvar B "
                          "(20 mm zľava, 45 mm zhora).");
}

} // namespace

const FormDescription& PaymentForm()
{
    static const FormDescription form{FormKind::Payment, "Platba QR (PAY by square)", "platba", "platba",
                                      0, {}, {}, Fields, fill, memoLines, frame, draw, sketch, placement,
                                      CheckPaymentTexts, PreparePaymentPage};
    return form;
}

QList<FieldProblem> CheckPaymentTexts(const QString& programFolder, FieldTexts& texts)
{
    const QString iban = NormalizeIban(texts.text("iban"));
    if (texts.text("bic").trimmed().isEmpty() && IbanProblem(iban).isEmpty()) {
        if (const QString code = SlovakBankCode(iban); !code.isEmpty())
            texts.setText(QStringLiteral("bic"), BankCodes::load(programFolder).bic(code));
    }
    QList<FieldProblem> problems;
    const PaymentOrder order = PaymentOrderOf(texts);
    for (PaymentField f : Order) {
        QString why = CheckPaymentField(f, order[f]);
        // Both well formed, the BIC must still be one of the IBAN's bank.
        if (why.isEmpty() && f == PaymentField::bic && CheckPaymentField(PaymentField::iban, order.iban).isEmpty())
            why = CheckBicOfIban(order.iban, order.bic, BankCodes::load(programFolder));
        if (!why.isEmpty())
            problems.append({QString::fromLatin1(nameOf(f)), why});
    }
    const QStringList lines = memoLines(texts.text("adresat"));
    if (lines.size() > PayerAddressLines)
        problems.append({QStringLiteral("adresat"),
                         QStringLiteral("Adresa platiteľa: má %1 riadkov, do okna obálky sa zmestí najviac %2.")
                             .arg(lines.size())
                             .arg(PayerAddressLines)});
    for (qsizetype i = 0; i < lines.size() && i < PayerAddressLines; ++i)
        if (lines[i].size() > PayerAddressLineChars)
            problems.append({QStringLiteral("adresat"),
                             QStringLiteral("Adresa platiteľa: %1. riadok má %2 znakov, do okna obálky sa zmestí "
                                            "najviac %3.")
                                 .arg(i + 1)
                                 .arg(lines[i].size())
                                 .arg(PayerAddressLineChars)});
    return problems;
}

QString PersonalIban(const PersonalData& personal)
{
    const std::optional<QString> iban = IbanFromSlovakAccount(PersonalText(personal, Personal::CU).trimmed());
    return iban ? GroupIban(*iban) : QString();
}
