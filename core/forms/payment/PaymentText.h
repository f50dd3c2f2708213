#pragma once
// How a payment reads on the printed page: its texts as shown, the amount in
// figures, the amount in Slovak words as the slips write it, the date.
#include <QDate>
#include <QString>

// "1 234,50 EUR".
QString AmountInFigures(qint64 cents);

// The whole euros in words framed with hyphens, "EUR" and the cents over
// 100: "-jedentisícdvestotridsaťštyri- EUR 50/100". Up to 9 999 999,99.
QString AmountInWords(qint64 cents);

// The whole euros in words as one word, millions included
// ("dvamilióny..."); empty for 0 and beyond 9 999 999.
QString EurosInWords(qint64 euros);

// "31. 1. 2027"; empty for a null date.
QString DueDateText(const QDate& date);

// A text as the page shows it and the QR code carries it: characters that
// show nothing (a soft hyphen) left out, each run of blanks, line breaks or
// other control characters one blank, none at either end.
QString ShownPaymentText(const QString& text);
