// AmountToWords and IsAllDigits, without any application object or window.
#include "words/AmountToWords.h"

#include <QtTest>

static QString words(const QString& digits) { return fromCp1250(AmountToWords(toCp1250(digits))); }

// A second formulation of the Slovak rules, built from stems rather than from
// digit tables, for the check over every amount.
namespace reference {

QString unit(int d, bool feminineTwo = false)
{
    static const char16_t* names[] = {u"", u"jeden", u"dva", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem", u"deväť"};
    return d == 2 && feminineTwo ? QStringLiteral("dve") : QString::fromUtf16(names[d]);
}

QString belowHundred(int n)
{
    if (n < 10)
        return unit(n);
    if (n < 20) {
        if (n == 10)
            return QStringLiteral("desať");
        static const char16_t* stems[] = {u"", u"jede", u"dva", u"tri", u"štr", u"pät", u"šest", u"sedem", u"osem", u"devät"};
        return QString::fromUtf16(stems[n - 10]) + QStringLiteral("násť");
    }
    const int t = n / 10;
    const QString tens = t <= 4 ? unit(t) + QStringLiteral("dsať") : unit(t) + QStringLiteral("desiat");
    return tens + unit(n % 10);
}

QString belowThousand(int n, bool leading)
{
    const int h = n / 100;
    QString head;
    if (h == 1)
        head = leading ? QStringLiteral("jednosto") : QStringLiteral("sto");
    else if (h > 1)
        head = unit(h, true) + QStringLiteral("sto");
    return head + belowHundred(n % 100);
}

QString spell(int n)
{
    if (n == 0)
        return QStringLiteral("-nula-");
    const int th = n / 1000;
    const int rest = n % 1000;
    if (th == 0)
        return rest >= 100 ? belowThousand(rest, true) : belowHundred(rest);
    // A single thousands digit says "dve"; a group of two or three digits "dva".
    const QString group = th < 10 ? unit(th, true) : th < 100 ? belowHundred(th) : belowThousand(th, true);
    return group + QStringLiteral("tisíc") + belowThousand(rest, false);
}

} // namespace reference

class AmountWordsTest : public QObject {
    Q_OBJECT
private slots:
    void workedResults_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("expected");
        const char16_t* rows[][2] = {
            {u"0", u"-nula-"}, {u"1", u"jeden"}, {u"05", u"päť"}, {u"00", u""}, {u"12", u"dvanásť"},
            {u"21", u"dvadsaťjeden"}, {u"50", u"päťdesiat"}, {u"100", u"jednosto"}, {u"115", u"jednostopätnásť"},
            {u"999", u"deväťstodeväťdesiatdeväť"}, {u"1000", u"jedentisíc"}, {u"1100", u"jedentisícsto"},
            {u"2000", u"dvetisíc"}, {u"10000", u"desaťtisíc"}, {u"12345", u"dvanásťtisíctristoštyridsaťpäť"},
            {u"21000", u"dvadsaťjedentisíc"}, {u"22000", u"dvadsaťdvatisíc"}, {u"100000", u"jednostotisíc"},
            {u"123456", u"jednostodvadsaťtritisícštyristopäťdesiatšesť"},
            {u"999999", u"deväťstodeväťdesiatdeväťtisícdeväťstodeväťdesiatdeväť"},
            // edge cases
            {u"000", u""}, {u"012", u"dvanásť"}, {u"100100", u"jednostotisícsto"}, {u"202000", u"dvestodvatisíc"},
            {u"15000", u"pätnásťtisíc"}, {u"1234", u"jedentisícdvestotridsaťštyri"},
            {u"19999", u"devätnásťtisícdeväťstodeväťdesiatdeväť"}, {u"10", u"desať"}, {u"110", u"jednostodesať"},
            {u"1010", u"jedentisícdesať"}, {u"200", u"dvesto"},
            // leading zeros in every thousands place: the last three digits
            {u"0123", u"jednostodvadsaťtri"}, {u"00100", u"jednosto"}, {u"000005", u"päť"}, {u"000000", u""},
            {u"0000", u""}, {u"000123", u"jednostodvadsaťtri"},
            // a leading zero in front of a thousands digit keeps the group
            {u"01000", u"jedentisíc"}, {u"010000", u"desaťtisíc"},
            // texts never passed in give the empty text
            {u"", u""}, {u"1234567", u""}, {u"12a", u""}, {u" 12", u""}, {u"-5", u""},
        };
        for (const auto& row : rows) {
            const QString digits = QString::fromUtf16(row[0]);
            QTest::newRow(qPrintable(digits.isEmpty() ? QStringLiteral("(empty)") : digits))
                << digits << QString::fromUtf16(row[1]);
        }
    }
    void workedResults()
    {
        QFETCH(QString, digits);
        QFETCH(QString, expected);
        QCOMPARE(words(digits), expected);
    }

    void everyAmountAgreesWithTheReference()
    {
        int mismatches = 0;
        std::size_t longest = 0;
        for (int n = 0; n <= 999999; ++n) {
            const ShortString got = AmountToWords(std::to_string(n));
            longest = std::max(longest, got.size());
            if (fromCp1250(got) != reference::spell(n) && ++mismatches <= 5)
                qWarning("%d: got %s, expected %s", n, qPrintable(fromCp1250(got)), qPrintable(reference::spell(n)));
        }
        QCOMPARE(mismatches, 0);
        QCOMPARE(longest, std::size_t(53));
        QCOMPARE(AmountToWords("171471").size(), std::size_t(53));
    }

    void leadingZerosBeforeSmallAmounts()
    {
        // Below a thousand, padding to four to six digits changes nothing (0 gives the empty text).
        for (int n = 1; n < 1000; ++n) {
            const QString plain = words(QString::number(n));
            for (int width : {4, 5, 6})
                QCOMPARE(words(QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'))), plain);
        }
    }

    void isAllDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("digits");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("0123456789") << "0123456789" << true;
        QTest::newRow("12a") << "12a" << false;
        QTest::newRow("space") << "1 2" << false;
        QTest::newRow("sign") << "+12" << false;
        QTest::newRow("minus") << "-1" << false;
        QTest::newRow("comma") << "1,5" << false;
        QTest::newRow("letter with caron") << QStringLiteral("1č") << false;
    }
    void isAllDigits()
    {
        QFETCH(QString, text);
        QFETCH(bool, digits);
        QCOMPARE(IsAllDigits(toCp1250(text)), digits);
    }
};

QTEST_APPLESS_MAIN(AmountWordsTest)
#include "test_amount_words.moc"
