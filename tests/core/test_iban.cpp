// IBAN checks, the Slovak account converted to an IBAN, and the shipped
// bank codes giving the BIC.
#include "core/forms/payment/BankCodes.h"
#include "core/forms/payment/Iban.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class IbanTest : public QObject {
    Q_OBJECT
private slots:
    void ibanChecks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reasonPart"); // empty: accepted
        QTest::newRow("slovak, grouped") << "sk76 0200 0000 1900 0012 3457" << "";
        QTest::newRow("slovak") << "SK3112000000198742637541" << "";
        QTest::newRow("german") << "DE89370400440532013000" << "";
        QTest::newRow("czech") << "CZ6508000000192000145399" << "";
        QTest::newRow("checksum") << "SK7602000000190000123458" << "kontrolný súčet";
        QTest::newRow("swapped digits") << "SK7602000000190000124357" << "kontrolný súčet";
        QTest::newRow("short") << "SK760200000019000012345" << "v krajine SK má 24 znakov, zadaných je 23";
        QTest::newRow("long") << "SK76020000001900001234570" << "v krajine SK má 24 znakov, zadaných je 25";
        QTest::newRow("unknown country") << "US7602000000190000123457" << "kód krajiny US nepatrí";
        QTest::newRow("digits first") << "7602000000190000123457" << "kódom krajiny";
        QTest::newRow("bad character") << "SK76-0200-0000-1900-0012-3457" << "nie znak „-“";
        QTest::newRow("letter for check digit") << "SK7A02000000190000123457" << "kontrolné číslice";
        QTest::newRow("empty") << "  " << "zadajte IBAN";
        QTest::newRow("three characters") << "SK7" << "v krajine SK má 24 znakov, zadané sú 3";
        // Mod 97 passes these; no Slovak account is any of them.
        QTest::newRow("letters for the bank") << "SK13ABCD0000001987426375" << "len číslice (kód banky, predčíslie a číslo účtu), nie znak „A“";
        QTest::newRow("all-zero account") << "SK5012000000000000000000" << "číslo účtu nemôže byť samé nuly";
        QTest::newRow("number fails mod 11") << "SK2312000000000000000001" << "číslo účtu nemá správny kontrolný súčet";
        QTest::newRow("prefix fails mod 11") << "SK4102000000180000123457" << "predčíslie účtu nemá správny kontrolný súčet";
        QTest::newRow("other country keeps letters") << "GB29NWBK60161331926819" << "";
    }
    void ibanChecks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reasonPart);
        const QString problem = IbanProblem(NormalizeIban(typed));
        if (reasonPart.isEmpty())
            QCOMPARE(problem, QString());
        else
            QVERIFY2(problem.contains(reasonPart), qPrintable(problem));
    }

    void slovakAccount_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("iban"); // empty: refused
        QTest::newRow("prefix") << "19-123457/0200" << "SK7602000000190000123457";
        QTest::newRow("blanks") << " 19 - 123457 / 0200 " << "SK7602000000190000123457";
        QTest::newRow("example's account") << "19-8742637541/1200" << "SK3112000000198742637541";
        QTest::newRow("no prefix") << "123457/0200" << "SK9002000000000000123457";
        QTest::newRow("number check") << "19-123456/0200" << "";
        QTest::newRow("prefix check") << "18-123457/0200" << "";
        QTest::newRow("short bank code") << "19-123457/200" << "";
        QTest::newRow("no bank code") << "19-123457" << "";
        QTest::newRow("letters") << "19-12345A/0200" << "";
        QTest::newRow("zero number") << "0/0200" << "";
    }
    void slovakAccount()
    {
        QFETCH(QString, account);
        QFETCH(QString, iban);
        QString problem;
        const std::optional<QString> made = IbanFromSlovakAccount(account, &problem);
        QCOMPARE(made.value_or(QString()), iban);
        QCOMPARE(problem.isEmpty(), !iban.isEmpty());
        if (made)
            QCOMPARE(IbanProblem(*made), QString());
    }

    void groupsOfFour()
    {
        QCOMPARE(GroupIban(QStringLiteral("SK7602000000190000123457")), QStringLiteral("SK76 0200 0000 1900 0012 3457"));
        QCOMPARE(GroupIban(QStringLiteral("NO9386011117947")), QStringLiteral("NO93 8601 1117 947"));
    }

    void bicOfTheShippedFile()
    {
        const BankCodes codes = BankCodes::load(QStringLiteral(ZELVANA_BUILD_FOLDER "/"));
        const QString iban = *IbanFromSlovakAccount(QStringLiteral("19-123457/0200"));
        QCOMPARE(SlovakBankCode(iban), QStringLiteral("0200"));
        QCOMPARE(codes.bic(SlovakBankCode(iban)), QStringLiteral("SUBASKBX"));
        QCOMPARE(codes.find(QStringLiteral("0900")).name, QStringLiteral("Slovenská sporiteľňa, a.s."));
        QCOMPARE(codes.bic(QStringLiteral("8330")), QStringLiteral("FIOZSKBA"));
        QCOMPARE(codes.bic(QStringLiteral("9999")), QString());
        // Every bank line of the shipped file is read, none skipped as malformed.
        QFile file(QStringLiteral(ZELVANA_BUILD_FOLDER "/data/bic.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        qsizetype banks = 0;
        for (const QByteArray& line : file.readAll().split('\n'))
            banks += !line.trimmed().isEmpty() && !line.startsWith('#');
        QVERIFY(banks >= 13);
        QCOMPARE(codes.size(), banks);
    }

    void badFilesGiveNoBic()
    {
        QTemporaryDir folder;
        const QString root = folder.path() + QLatin1Char('/');
        QCOMPARE(BankCodes::load(root).size(), 0); // no data/ at all
        QDir(root).mkdir(QStringLiteral("data"));
        QDir(root).mkdir(QStringLiteral("data/bic.txt")); // a folder in its place
        QCOMPARE(BankCodes::load(root).size(), 0);

        const BankCodes mixed = BankCodes::parse("# c\n0200;SUBASKBX;VÚB\r\n020;SUBASKBX;x\n0900;GIBA;x\n"
                                                 "1100;TATRSKBX\n7500;cekoskbx;x\n;;\n\n8330;FIOZSKBA;Fio\n");
        QCOMPARE(mixed.size(), 2);
        QCOMPARE(mixed.find(QStringLiteral("0200")).name, QStringLiteral("VÚB"));
        QCOMPARE(mixed.bic(QStringLiteral("8330")), QStringLiteral("FIOZSKBA"));
        QCOMPARE(BankCodes::parse("0200;SUBASKBX;V\xDA" "B\n").size(), 0); // code page 1250, not UTF-8
    }
};

QTEST_GUILESS_MAIN(IbanTest)
#include "test_iban.moc"
