#pragma once
// The PAY by square text of a payment order (version 1.1.0): the fields
// joined with TAB, a CRC-32 in front, raw LZMA1, a four-byte header and
// base32hex, ready for a QR code a banking app reads.
#include "core/forms/payment/PaymentOrder.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The fields joined with TAB, in UTF-8, diacritics left out.
QByteArray PayBySquareFields(const CheckedPayment& payment);

// The amount as the payload writes it: a decimal point, no thousands
// separator, no trailing zeros ("25.5", "1234", "0.05").
QByteArray PayBySquareAmount(qint64 cents);

// The text the QR code carries; nothing when the compression fails.
std::optional<QString> PayBySquareText(const CheckedPayment& payment);

// Bytes in base32hex (0-9, A-V), the last group filled with zero bits, no padding.
QString Base32Hex(const QByteArray& bytes);

// A field as the payload carries it: the text as the page shows it
// (ShownPaymentText: no TAB, no soft hyphen, single blanks), its letters
// without their marks.
QString PayloadText(const QString& text);
