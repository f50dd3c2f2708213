#pragma once
// IBAN: normalising, checking (ISO 13616 mod-97 and the SEPA countries'
// lengths), the Slovak IBAN of an account written "[prefix-]number/bank code",
// and the groups of four that a printed page shows.
#include <QString>
#include <optional>

// Blanks left out, letters in upper case.
QString NormalizeIban(const QString& text);

// Empty when `iban` (normalised) is a valid IBAN of a SEPA country; otherwise
// the reason in Slovak, without the field's name. A Slovak IBAN also passes
// the checks of an account written the Slovak way.
QString IbanProblem(const QString& iban);

// The IBAN length of a SEPA country ("SK" -> 24); 0 for a country not in the table.
int IbanLength(const QString& country);

// "SK" + check digits + bank code + prefix (6 digits) + number (10 digits) for
// an account such as "19-123457/0200". Nothing, with the reason in `problem`,
// when the account is not in that shape or its digits fail the check of
// Slovak account numbers (weights 6 3 7 9 10 5 8 4 2 1, modulo 11).
std::optional<QString> IbanFromSlovakAccount(const QString& account, QString* problem = nullptr);

// "SK76 0200 0000 1900 0012 3457".
QString GroupIban(const QString& iban);

// "zadaných je 5", "zadané sú 3", "zadaný je 1": how many the user typed.
QString EnteredCount(qsizetype n);

// The four-digit bank code of a Slovak IBAN; empty for any other.
QString SlovakBankCode(const QString& iban);
