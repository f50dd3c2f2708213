#pragma once
// The PAY by square payment page, described once: its fields, what the
// personal data fills in, its checks and its one A4 page.
#include "core/forms/payment/PaymentOrder.h"
#include "core/print/FormDescription.h"

const FormDescription& PaymentForm();

// The payer's address must show whole in the window of a DL envelope.
constexpr int PayerAddressLines = 6;
constexpr int PayerAddressLineChars = 36;

// Every refusal of the texts, in the order of the form: each payment field's
// rule, then the payer's address. An empty BIC of a Slovak IBAN is filled
// first from the bank code, by `programFolder` + "data/bic.txt".
QList<FieldProblem> CheckPaymentTexts(const QString& programFolder, FieldTexts& texts);

// The IBAN of the personal account "[prefix-]number/bank code", grouped by
// four; empty when the account is not a Slovak one in that shape.
QString PersonalIban(const PersonalData& personal);
