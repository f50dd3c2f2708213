#pragma once
// A payment order as typed (one text per field) and its checks: each field's
// rule, with a Slovak reason naming the field, and the checked values the
// payload and the printed page use (amount in cents, due date as a date).
#include "core/print/FieldTexts.h"

#include <QDate>
#include <QString>
#include <optional>

class BankCodes;

enum class PaymentField {
    prijemca, prijemca_ulica, prijemca_mesto, iban, bic, suma, vsymbol, ksymbol, ssymbol, splatnost, sprava
};

// The name of each field's text in a page's texts, in the order of PaymentField.
inline constexpr const char* PaymentFieldKeys[] = {"prijemca", "prijemca_ulica", "prijemca_mesto", "iban",
                                                   "bic",      "suma",           "vsymbol",        "ksymbol",
                                                   "ssymbol",  "splatnost",      "sprava"};

// The texts as the user typed them.
struct PaymentOrder {
    QString prijemca;       // beneficiary's name
    QString prijemca_ulica; // street
    QString prijemca_mesto; // postcode and town
    QString iban;
    QString bic;
    QString suma;           // euros: "1234", "1234,5", "1234,50" or "1234.50"; blanks ignored
    QString vsymbol;
    QString ksymbol;
    QString ssymbol;
    QString splatnost;      // "31.1.2027", "31. 1. 2027", "2027-01-31" or empty
    QString sprava;         // message for the beneficiary

    QString& operator[](PaymentField f);
    const QString& operator[](PaymentField f) const;
};

// A payment order whose every field passed its check.
struct CheckedPayment {
    QString prijemca, prijemcaUlica, prijemcaMesto;
    QString iban;           // normalised
    QString bic;            // upper case, or empty
    qint64 cents = 0;
    QString vsymbol, ksymbol, ssymbol;
    QDate splatnost;        // null when none is given
    QString sprava;
};

constexpr qint64 MinPaymentCents = 1;
constexpr qint64 MaxPaymentCents = 999999999; // 9 999 999,99 EUR
constexpr int PaymentNameMax = 70;
constexpr int PaymentMessageMax = 140;
// Due dates taken: from the day the euro came to Slovakia, as no order in
// euros falls due before it, to ten years ahead; a later one is a typing slip.
inline const QDate EarliestDueDate{2009, 1, 1};
constexpr int DueDateYearsAhead = 10;

// The order a page's texts hold, field by field.
PaymentOrder PaymentOrderOf(const FieldTexts& texts);

// The field's name as a reason starts with it ("Suma", "Variabilný symbol").
QString PaymentFieldName(PaymentField f);

// Empty when `text` passes the field's rule; otherwise "<name>: <reason>.".
QString CheckPaymentField(PaymentField f, const QString& text);

// Empty when the BIC, as typed (maybe empty), may be the one of the bank that
// keeps the IBAN, as typed; otherwise "BIC: <reason>.". A Slovak IBAN's BIC
// is a Slovak one, and the one `banks` gives its bank code when the list
// knows either. Both texts are taken to have passed their field's rule.
QString CheckBicOfIban(const QString& iban, const QString& bic, const BankCodes& banks);

// A due date that passes its rule but lies before `today`: why it is printed
// with a warning ("dátum splatnosti 1. 3. 2024 už uplynul"); else empty.
QString DueDateWarning(const QString& text, const QDate& today = QDate::currentDate());

struct PaymentCheck {
    std::optional<CheckedPayment> payment;
    PaymentField field = PaymentField::prijemca; // the first field refused
    QString problem;                             // its reason; empty when none was
};

// Checks every field in the order of the form; the first refusal wins.
PaymentCheck CheckPayment(const PaymentOrder& order);

// The amount in cents, blanks ignored; nothing for a text in no accepted
// shape (the range is the field check's).
std::optional<qint64> ParseEuroCents(const QString& text);
// The due date; nothing for an empty text, a text in no accepted shape or
// an impossible date.
std::optional<QDate> ParseDueDate(const QString& text);
