// The payment order's field checks and how its amount and date read on paper.
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/PaymentText.h"

#include <QtTest>

namespace {
PaymentOrder goodOrder()
{
    PaymentOrder o;
    o.prijemca = QStringLiteral("Spolok priateľov prírody");
    o.prijemca_ulica = QStringLiteral("Hlavná 12");
    o.prijemca_mesto = QStringLiteral("04001 Košice");
    o.iban = QStringLiteral("SK31 1200 0000 1987 4263 7541");
    o.suma = QStringLiteral("25,5");
    o.vsymbol = QStringLiteral("2027001");
    o.ksymbol = QStringLiteral("0308");
    o.splatnost = QStringLiteral("31. 1. 2027");
    o.sprava = QStringLiteral("Členský príspevok 2027");
    return o;
}
} // namespace

Q_DECLARE_METATYPE(PaymentField)

class PaymentOrderTest : public QObject {
    Q_OBJECT
private slots:
    void goodOrderIsChecked()
    {
        PaymentOrder o = goodOrder();
        o.bic = QStringLiteral(" tatr skbx ");
        const PaymentCheck check = CheckPayment(o);
        QCOMPARE(check.problem, QString());
        QVERIFY(check.payment);
        const CheckedPayment& p = *check.payment;
        QCOMPARE(p.iban, QStringLiteral("SK3112000000198742637541"));
        QCOMPARE(p.bic, QStringLiteral("TATRSKBX"));
        QCOMPARE(p.cents, qint64(2550));
        QCOMPARE(p.splatnost, QDate(2027, 1, 31));
        QCOMPARE(p.ksymbol, QStringLiteral("0308"));
    }

    // Each field's rule: an empty reason means the text is taken.
    void fieldRules_data()
    {
        QTest::addColumn<PaymentField>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, PaymentField f, const QString& typed, const QString& reason) {
            QTest::newRow(name) << f << typed << reason;
        };
        using F = PaymentField;
        const QString dateShape = QStringLiteral("Dátum splatnosti: zapíšte dátum ako 31. 1. 2027 alebo 2027-01-31.");
        const QString amountShape = QStringLiteral("Suma: zapíšte sumu číslicami, centy za čiarkou, napríklad 1234,50.");
        const QString bicShape = QStringLiteral("BIC: BIC má 8 alebo 11 písmen a číslic, napríklad SUBASKBX.");
        row("iban checksum", F::iban, "SK31 1200 0000 1987 4263 7542", "IBAN: nesprávny kontrolný súčet, skontrolujte opísané znaky.");
        row("iban length", F::iban, "SK31 1200 0000 1987 4263 754", "IBAN: v krajine SK má 24 znakov, zadaných je 23.");
        row("iban empty", F::iban, "", "IBAN: zadajte IBAN príjemcu.");
        row("three decimals", F::suma, "25,505", "Suma: najviac dve desatinné miesta (centy).");
        row("zero", F::suma, "0,00", "Suma: najmenej 0,01 EUR.");
        row("ten million", F::suma, "10 000 000,00", "Suma: najviac 9 999 999,99 EUR.");
        row("huge", F::suma, "99999999999999999999999", "Suma: najviac 9 999 999,99 EUR.");
        row("negative", F::suma, "-5", amountShape);
        row("comma alone", F::suma, "5,", amountShape);
        row("no amount", F::suma, " ", "Suma: zadajte sumu v eurách.");
        row("cent", F::suma, "0,01", "");
        row("top", F::suma, "9999999.99", "");
        row("letter in vs", F::vsymbol, "2027A01", "Variabilný symbol: len číslice 0 až 9.");
        row("letter in ss", F::ssymbol, "x", "Špecifický symbol: len číslice 0 až 9.");
        row("ks of 5", F::ksymbol, "03080", "Konštantný symbol: najviac 4 číslice, zadaných je 5.");
        row("vs of 11", F::vsymbol, "12345678901", "Variabilný symbol: najviac 10 číslic, zadaných je 11.");
        row("ks of 4", F::ksymbol, "0558", "");
        row("vs of 10", F::vsymbol, "0123456789", "");
        row("no symbol", F::ssymbol, "", "");
        row("message 141", F::sprava, QString(141, QLatin1Char('a')), "Správa pre príjemcu: najviac 140 znakov, zadaných je 141.");
        row("message 140", F::sprava, QString(140, QChar(u'ô')), "");
        row("message not cp1250", F::sprava, "Zľava 5 €, ďakujeme ☺", "Správa pre príjemcu: znak „☺“ nemožno použiť.");
        row("name required", F::prijemca, "  ", "Príjemca: vyplňte meno alebo názov príjemcu.");
        row("name 71", F::prijemca, QString(71, QLatin1Char('b')), "Príjemca: najviac 70 znakov, zadaných je 71.");
        row("name 70", F::prijemca, QString(70, QChar(u'ž')), "");
        row("town outside bmp", F::prijemca_mesto, QStringLiteral("Košice \U0001F600"),
            QStringLiteral("PSČ a obec príjemcu: znak „\U0001F600“ nemožno použiť."));
        row("impossible date", F::splatnost, "30. 2. 2027", "Dátum splatnosti: taký deň v kalendári nie je.");
        row("impossible iso date", F::splatnost, "2027-13-01", "Dátum splatnosti: taký deň v kalendári nie je.");
        row("date shape", F::splatnost, "31/1/2027", dateShape);
        row("leap day", F::splatnost, "29.2.2028", "");
        row("no date", F::splatnost, "", "");
        const QDate latest = QDate::currentDate().addYears(DueDateYearsAhead);
        const QString range = QStringLiteral("Dátum splatnosti: zadajte deň od 1. 1. 2009 do %1.").arg(DueDateText(latest));
        row("year 1", F::splatnost, "1. 1. 0001", range);
        row("day before the euro", F::splatnost, "2008-12-31", range);
        row("last day ahead", F::splatnost, latest.toString(Qt::ISODate), "");
        row("a day too far", F::splatnost, latest.addDays(1).toString(Qt::ISODate), range);
        row("bic of 9", F::bic, "SUBASKBXX", bicShape);
        row("bic, digits for bank", F::bic, "1234SKBX", bicShape);
        row("bic of 11", F::bic, "SUBASKBXXXX", "");
    }
    void fieldRules()
    {
        QFETCH(PaymentField, field);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QCOMPARE(CheckPaymentField(field, typed), reason);
        // The whole order is refused on that field with that reason, or taken.
        PaymentOrder o = goodOrder();
        o[field] = typed;
        const PaymentCheck check = CheckPayment(o);
        QCOMPARE(check.problem, reason);
        QCOMPARE(bool(check.payment), reason.isEmpty());
        if (!reason.isEmpty())
            QCOMPARE(check.field, field);
    }

    void amountsAndDates()
    {
        for (const char* typed : {"1234,5", "1234,50", "1234.50", "1 234,5", "0001234,50"})
            QCOMPARE(ParseEuroCents(QString::fromLatin1(typed)), std::optional<qint64>(123450));
        QCOMPARE(ParseEuroCents(QStringLiteral("1234")), std::optional<qint64>(123400));
        for (const char* typed : {"31.1.2027", "31. 1. 2027", " 2027-01-31 "})
            QCOMPARE(ParseDueDate(QString::fromLatin1(typed)), std::optional<QDate>(QDate(2027, 1, 31)));
        QCOMPARE(ParseDueDate(QStringLiteral("0000-01-01")), std::nullopt);
        QCOMPARE(DueDateText(QDate(2027, 1, 31)), QStringLiteral("31. 1. 2027"));
        QCOMPARE(DueDateText(QDate()), QString());
        QCOMPARE(AmountInFigures(5), QStringLiteral("0,05 EUR"));
        QCOMPARE(AmountInFigures(99900), QStringLiteral("999,00 EUR"));
        QCOMPARE(AmountInFigures(123450), QStringLiteral("1 234,50 EUR"));
        QCOMPARE(AmountInFigures(999999999), QStringLiteral("9 999 999,99 EUR"));
    }

    void amountInWords_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("words");
        QTest::newRow("slip example") << qint64(123450) << "-jedentisícdvestotridsaťštyri- EUR 50/100";
        QTest::newRow("cents only") << qint64(7) << "-nula- EUR 07/100";
        QTest::newRow("one") << qint64(100) << "-jeden- EUR 00/100";
        QTest::newRow("one million") << qint64(100000000) << "-jedenmilión- EUR 00/100";
        QTest::newRow("two millions") << qint64(200000000) << "-dvamilióny- EUR 00/100";
        QTest::newRow("four millions") << qint64(400000000) << "-štyrimilióny- EUR 00/100";
        QTest::newRow("five millions") << qint64(500000000) << "-päťmiliónov- EUR 00/100";
        QTest::newRow("millions and units") << qint64(100000501) << "-jedenmiliónpäť- EUR 01/100";
        QTest::newRow("millions and hundred") << qint64(300010000) << "-trimiliónysto- EUR 00/100";
        QTest::newRow("millions, hundred thousand") << qint64(110000000) << "-jedenmiliónstotisíc- EUR 00/100";
        QTest::newRow("millions, thousands") << qint64(721345699)
                                             << "-sedemmiliónovdvestotrinásťtisícštyristopäťdesiatšesť- EUR 99/100";
        QTest::newRow("top") << qint64(999999999)
                             << "-deväťmiliónovdeväťstodeväťdesiatdeväťtisícdeväťstodeväťdesiatdeväť- EUR 99/100";
    }
    void amountInWords()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, words);
        QCOMPARE(AmountInWords(cents), words);
    }
};

QTEST_GUILESS_MAIN(PaymentOrderTest)
#include "test_payment_order.moc"
