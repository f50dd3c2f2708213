#include "core/forms/payment/PaymentText.h"

#include "core/base/Cp1250.h"
#include "core/words/AmountToWords.h"

namespace {

QString wordsOf(qint64 upToSixDigits)
{
    return fromCp1250(AmountToWords(std::to_string(upToSixDigits)).view());
}

// AmountToWords stops at six digits; a single millions digit goes in front.
QString millions(int m)
{
    static const char16_t* const Counts[] = {u"", u"jeden", u"dva", u"tri", u"štyri", u"päť", u"šesť", u"sedem",
                                             u"osem", u"deväť"};
    const QString count = QString::fromUtf16(Counts[m]);
    if (m == 1)
        return count + QStringLiteral("milión");
    if (m <= 4)
        return count + QStringLiteral("milióny");
    return count + QStringLiteral("miliónov");
}

} // namespace

QString AmountInFigures(qint64 cents)
{
    QString euros = QString::number(cents / 100);
    for (qsizetype at = euros.size() - 3; at > 0; at -= 3)
        euros.insert(at, QLatin1Char(' '));
    return euros + QStringLiteral(",%1 EUR").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString EurosInWords(qint64 euros)
{
    if (euros <= 0 || euros > 9999999)
        return {};
    if (euros < 1000000)
        return wordsOf(euros);
    const qint64 rest = euros % 1000000;
    QString restWords = rest == 0 ? QString() : wordsOf(rest);
    // "jednosto" opens an amount only; behind the millions it is "sto".
    if (restWords.startsWith(QLatin1String("jednosto")))
        restWords.remove(0, 5);
    return millions(static_cast<int>(euros / 1000000)) + restWords;
}

QString AmountInWords(qint64 cents)
{
    const qint64 euros = cents / 100;
    const QString words = euros == 0 ? QStringLiteral("nula") : EurosInWords(euros);
    return QLatin1Char('-') + words + QStringLiteral("- EUR %1/100").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString DueDateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("d. M. yyyy")) : QString();
}

QString ShownPaymentText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Format) {
            i += pair ? 1 : 0;
            continue;
        }
        if (QChar::isSpace(c) || category == QChar::Other_Control) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += QLatin1Char(' ');
        blank = false;
        out += text[i];
        if (pair)
            out += text[++i];
    }
    return out;
}
