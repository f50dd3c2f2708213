// The payment order's field checks and how its amount and date read on paper.
#include "payment/PaymentOrder.h"
#include "payment/PaymentText.h"

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

    void badInputRefused_data()
    {
        QTest::addColumn<PaymentField>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        using F = PaymentField;
        QTest::newRow("iban checksum") << F::iban << "SK31 1200 0000 1987 4263 7542"
                                       << "IBAN: nesprávny kontrolný súčet, skontrolujte opísané znaky.";
        QTest::newRow("iban length") << F::iban << "SK31 1200 0000 1987 4263 754"
                                     << "IBAN: v krajine SK má 24 znakov, zadaných je 23.";
        QTest::newRow("iban empty") << F::iban << "" << "IBAN: zadajte IBAN príjemcu.";
        QTest::newRow("three decimals") << F::suma << "25,505" << "Suma: najviac dve desatinné miesta (centy).";
        QTest::newRow("zero") << F::suma << "0,00" << "Suma: najmenej 0,01 EUR.";
        QTest::newRow("ten million") << F::suma << "10 000 000,00" << "Suma: najviac 9 999 999,99 EUR.";
        QTest::newRow("huge") << F::suma << "99999999999999999999999" << "Suma: najviac 9 999 999,99 EUR.";
        QTest::newRow("negative") << F::suma << "-5"
                                  << "Suma: zapíšte sumu číslicami, centy za čiarkou, napríklad 1234,50.";
        QTest::newRow("comma alone") << F::suma << "5,"
                                     << "Suma: zapíšte sumu číslicami, centy za čiarkou, napríklad 1234,50.";
        QTest::newRow("no amount") << F::suma << " " << "Suma: zadajte sumu v eurách.";
        QTest::newRow("letter in vs") << F::vsymbol << "2027A01" << "Variabilný symbol: len číslice 0 až 9.";
        QTest::newRow("letter in ss") << F::ssymbol << "x" << "Špecifický symbol: len číslice 0 až 9.";
        QTest::newRow("ks of 5") << F::ksymbol << "03080" << "Konštantný symbol: najviac 4 číslice, zadaných je 5.";
        QTest::newRow("vs of 11") << F::vsymbol << "12345678901"
                                  << "Variabilný symbol: najviac 10 číslic, zadaných je 11.";
        QTest::newRow("message 141") << F::sprava << QString(141, QLatin1Char('a'))
                                     << "Správa pre príjemcu: najviac 140 znakov, zadaných je 141.";
        QTest::newRow("message not cp1250") << F::sprava << "Zľava 5 €, ďakujeme ☺"
                                            << "Správa pre príjemcu: znak „☺“ nemožno použiť.";
        QTest::newRow("name required") << F::prijemca << "  " << "Príjemca: vyplňte meno alebo názov príjemcu.";
        QTest::newRow("name 71") << F::prijemca << QString(71, QLatin1Char('b'))
                                 << "Príjemca: najviac 70 znakov, zadaných je 71.";
        QTest::newRow("town outside bmp") << F::prijemca_mesto << QString::fromUtf8("Košice \xF0\x9F\x98\x80")
                                          << QString::fromUtf8("PSČ a obec príjemcu: znak „\xF0\x9F\x98\x80“ nemožno použiť.");
        QTest::newRow("impossible date") << F::splatnost << "30. 2. 2027"
                                         << "Dátum splatnosti: taký deň v kalendári nie je.";
        QTest::newRow("impossible iso date") << F::splatnost << "2027-13-01"
                                             << "Dátum splatnosti: taký deň v kalendári nie je.";
        QTest::newRow("date shape") << F::splatnost << "31/1/2027"
                                    << "Dátum splatnosti: zapíšte dátum ako 31. 1. 2027 alebo 2027-01-31.";
        QTest::newRow("bic 9") << F::bic << "SUBASKBXX"
                               << "BIC: BIC má 8 alebo 11 písmen a číslic, napríklad SUBASKBX.";
        QTest::newRow("bic digits for bank") << F::bic << "1234SKBX"
                                             << "BIC: BIC má 8 alebo 11 písmen a číslic, napríklad SUBASKBX.";
    }
    void badInputRefused()
    {
        QFETCH(PaymentField, field);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QCOMPARE(CheckPaymentField(field, typed), reason);
        // The whole order is refused on that field with that reason.
        PaymentOrder o = goodOrder();
        o[field] = typed;
        const PaymentCheck check = CheckPayment(o);
        QVERIFY(!check.payment);
        QCOMPARE(check.field, field);
        QCOMPARE(check.problem, reason);
    }

    void goodValuesPass_data()
    {
        QTest::addColumn<PaymentField>("field");
        QTest::addColumn<QString>("typed");
        using F = PaymentField;
        QTest::newRow("name 70") << F::prijemca << QString(70, QChar(u'ž'));
        QTest::newRow("message 140") << F::sprava << QString(140, QChar(u'ô'));
        QTest::newRow("ks 4") << F::ksymbol << "0558";
        QTest::newRow("vs 10") << F::vsymbol << "0123456789";
        QTest::newRow("no symbol") << F::ssymbol << "";
        QTest::newRow("no date") << F::splatnost << "";
        QTest::newRow("leap day") << F::splatnost << "29.2.2028";
        QTest::newRow("bic 11") << F::bic << "SUBASKBXXXX";
        QTest::newRow("cent") << F::suma << "0,01";
        QTest::newRow("top") << F::suma << "9999999.99";
    }
    void goodValuesPass()
    {
        QFETCH(PaymentField, field);
        QFETCH(QString, typed);
        QCOMPARE(CheckPaymentField(field, typed), QString());
    }

    void amountsInCents_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("whole") << "1234" << qint64(123400);
        QTest::newRow("one decimal") << "1234,5" << qint64(123450);
        QTest::newRow("comma") << "1234,50" << qint64(123450);
        QTest::newRow("point") << "1234.50" << qint64(123450);
        QTest::newRow("grouped") << "1 234,05" << qint64(123405);
        QTest::newRow("leading zeros") << "0001234,05" << qint64(123405);
    }
    void amountsInCents()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, cents);
        QCOMPARE(ParseEuroCents(typed), std::optional<qint64>(cents));
    }

    void dates()
    {
        QCOMPARE(ParseDueDate(QStringLiteral("31.1.2027")), std::optional<QDate>(QDate(2027, 1, 31)));
        QCOMPARE(ParseDueDate(QStringLiteral("31. 1. 2027")), std::optional<QDate>(QDate(2027, 1, 31)));
        QCOMPARE(ParseDueDate(QStringLiteral("2027-01-31")), std::optional<QDate>(QDate(2027, 1, 31)));
        QCOMPARE(ParseDueDate(QStringLiteral("0000-01-01")), std::nullopt);
        QCOMPARE(DueDateText(QDate(2027, 1, 31)), QStringLiteral("31. 1. 2027"));
        QCOMPARE(DueDateText(QDate()), QString());
    }

    void amountInFigures_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("cents only") << qint64(5) << "0,05 EUR";
        QTest::newRow("hundreds") << qint64(99900) << "999,00 EUR";
        QTest::newRow("thousands") << qint64(123450) << "1 234,50 EUR";
        QTest::newRow("top") << qint64(999999999) << "9 999 999,99 EUR";
    }
    void amountInFigures()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, text);
        QCOMPARE(AmountInFigures(cents), text);
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
