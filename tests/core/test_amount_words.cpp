// AmountToWords and IsAllDigits, and the slips' own amount rule and words
// lines, without any application object or window.
#include "core/forms/Forms.h"
#include "core/forms/slips/SlipForms.h"
#include "core/words/AmountToWords.h"

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

// `width` is the number of digits written, leading zeros included.
QString spell(int n, int width)
{
    if (n == 0)
        return width == 1 ? QStringLiteral("-nula-") : QString();
    const int th = n / 1000;
    const int rest = n % 1000;
    if (th == 0)
        return rest >= 100 ? belowThousand(rest, true) : belowHundred(rest);
    // A single thousands digit says "dve"; a group of two or three digits "dva",
    // also when the first of them is a leading zero (02000).
    const QString group = width == 4 ? unit(th, true) : th < 100 ? belowHundred(th) : belowThousand(th, true);
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
            {u"15000", u"pätnásťtisíc"}, {u"02000", u"dvatisíc"},
            // edge cases
            {u"2", u"dva"}, {u"000", u""}, {u"012", u"dvanásť"}, {u"100100", u"jednostotisícsto"},
            {u"202000", u"dvestodvatisíc"}, {u"200000", u"dvestotisíc"}, {u"1234", u"jedentisícdvestotridsaťštyri"},
            {u"19999", u"devätnásťtisícdeväťstodeväťdesiatdeväť"}, {u"10", u"desať"}, {u"110", u"jednostodesať"},
            {u"1010", u"jedentisícdesať"}, {u"1001", u"jedentisícjeden"}, {u"200", u"dvesto"},
            {u"11000", u"jedenásťtisíc"}, {u"20000", u"dvadsaťtisíc"}, {u"101000", u"jednostojedentisíc"},
            {u"110000", u"jednostodesaťtisíc"}, {u"112000", u"jednostodvanásťtisíc"},
            {u"171471", u"jednostosedemdesiatjedentisícštyristosedemdesiatjeden"},
            {u"777777", u"sedemstosedemdesiatsedemtisícsedemstosedemdesiatsedem"},
            // leading zeros in every thousands place: the last three digits
            {u"0123", u"jednostodvadsaťtri"}, {u"0100", u"jednosto"}, {u"00100", u"jednosto"}, {u"0010", u"desať"},
            {u"0001", u"jeden"}, {u"000005", u"päť"}, {u"000000", u""}, {u"00000", u""}, {u"0000", u""},
            {u"000123", u"jednostodvadsaťtri"}, {u"000999", u"deväťstodeväťdesiatdeväť"},
            // a leading zero in front of a thousands digit keeps the group; a lone
            // thousands digit 2 says "dve" only in a four-digit text
            {u"01000", u"jedentisíc"}, {u"010000", u"desaťtisíc"}, {u"001000", u"jedentisíc"},
            {u"002000", u"dvatisíc"}, {u"012000", u"dvanásťtisíc"}, {u"02100", u"dvatisícsto"},
            {u"002100", u"dvatisícsto"},
            // texts never passed in give the empty text
            {u"", u""}, {u"1234567", u""}, {u"0000000", u""}, {u"12a", u""}, {u" 12", u""}, {u"12 ", u""},
            {u"-5", u""}, {u"12345a", u""}, {u"1:", u""}, {u"/1", u""}, {u"1č", u""}, {u"1,5", u""},
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

    void everyDigitTextAgreesWithTheReference()
    {
        // Every text of one to six digits, with and without leading zeros.
        int mismatches = 0;
        std::size_t longest = 0;
        for (int width = 1, limit = 10; width <= 6; ++width, limit *= 10) {
            for (int n = 0; n < limit; ++n) {
                std::string digits = std::to_string(n);
                digits.insert(0, std::size_t(width) - digits.size(), '0');
                const ShortString got = AmountToWords(digits);
                longest = std::max(longest, got.size());
                const QString expected = reference::spell(n, width);
                if (fromCp1250(got) != expected && ++mismatches <= 5)
                    qWarning("%s: got %s, expected %s", digits.c_str(), qPrintable(fromCp1250(got)), qPrintable(expected));
            }
        }
        QCOMPARE(mismatches, 0);
        QCOMPARE(longest, std::size_t(53));
        QCOMPARE(AmountToWords("171471").size(), std::size_t(53));
        QCOMPARE(AmountToWords("777777").size(), std::size_t(53));
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

    void everyByteOtherThanADigitIsRefused()
    {
        // All 256 byte values in the middle of an amount, so a signed or
        // unsigned slip in the digit test shows.
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const bool digit = b >= '0' && b <= '9';
            const std::string text = std::string("12") + c + "4";
            QCOMPARE(IsAllDigits(text), digit);
            QCOMPARE(AmountToWords(text).empty(), !digit);
            QCOMPARE(AmountToWords(std::string(1, c)).empty(), !digit);
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

    // Each slip refuses an amount that is not all digits, in the batch's and
    // the window's words, crowns before hellers, and writes the words of one that is.
    void slipAmountRuleAndWords()
    {
        const QString rule = QStringLiteral("suma smie obsahovať len číslice 0 až 9, nie „%1“");
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            const FormDescription& form = Form(kind);
            FieldTexts texts;
            texts.setText(QStringLiteral("suma"), QStringLiteral("12,50"));
            texts.setText(QStringLiteral("hal"), QStringLiteral("x"));
            texts.setText(QStringLiteral("od2"), QStringLiteral("12,50"));
            const QList<FieldProblem> problems = form.check(QString(), texts);
            QCOMPARE(problems.size(), 2);
            QCOMPARE(problems[0].field + problems[0].text, QStringLiteral("suma") + rule.arg("12,50"));
            QCOMPARE(problems[0].windowText, QStringLiteral("Chybý zápis číslice 12,50"));
            QCOMPARE(problems[1].field + problems[1].text, QStringLiteral("hal") + rule.arg("x"));
            QCOMPARE(problems[1].windowText, QStringLiteral("Chybý zápis číslice x"));

            const std::optional<FieldTexts> crowns = form.amountWords(QStringLiteral("suma"), QStringLiteral("19999"));
            QVERIFY(crowns && crowns->size() == 2);
            QCOMPARE(crowns->text("slovom1") + crowns->text("slovom2"), QStringLiteral("-devätnásťtisícdeväťstodeväťdesiatdeväť-"));
            QCOMPARE(form.amountWords(QStringLiteral("hal"), QStringLiteral("5"))->text("slovomh"), QStringLiteral("-päťdesiat-"));
            QVERIFY(!form.amountWords(QStringLiteral("suma"), QStringLiteral("1 000")));
            QCOMPARE(form.amountWords(QStringLiteral("od2"), QStringLiteral("1 000"))->size(), 0);
        }
    }
};

QTEST_APPLESS_MAIN(AmountWordsTest)
#include "test_amount_words.moc"
