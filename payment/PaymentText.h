#pragma once
// How a payment's amount and due date read on the printed page: the amount
// in figures, the amount in Slovak words as the slips write it, the date.
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
