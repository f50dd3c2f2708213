// The real zelvana-batch on rows the window refuses too, and on a past due date it prints with a warning.
#include "support/TempProgramFolder.h"

#include <QDate>
#include <QProcess>
#include <QtTest>

class BatchRefusalsTest : public QObject {
    Q_OBJECT
    TempProgramFolder folder;

private slots:
    void rowsRefusedOrWarnedOf_data()
    {
        QTest::addColumn<QString>("row"); // prijemca;suma;iban;bic;splatnost, or an envelope's adr;sablona
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("told");
        const QString vub = "A;1;SK76 0200 0000 1900 0012 3457;", past = QDate::currentDate().addDays(-3).toString("d. M. yyyy");
        QTest::newRow("letters for the bank") << "A;1;SK13ABCD0000001987426375;;" << 1 << "stĺpec „iban“: IBAN: slovenský IBAN má za kontrolnými číslicami len číslice";
        QTest::newRow("bic of a listed bank") << "A;1;SK31 1200 0000 1987 4263 7541;SUBASKBX;" << 1 << "stĺpec „bic“: BIC: SUBASKBX je BIC banky Všeobecná úverová banka, a.s. (kód banky 0200), účet v IBAN však vedie banka s kódom 1200.";
        QTest::newRow("listed bank, other bic") << vub + "TATRSKBX;" << 1 << "BIC: účet v IBAN vedie Všeobecná úverová banka, a.s. (kód banky 0200) s BIC SUBASKBX, nie TATRSKBX.";
        QTest::newRow("foreign bic") << vub + "DEUTDEFF;" << 1 << "BIC: DEUTDEFF je BIC banky v inej krajine (DE), IBAN je však slovenský.";
        QTest::newRow("branch of its bank") << vub + "SUBASKBXXXX;" << 0 << "";
        QTest::newRow("year 9999") << vub + ";31. 12. 9999" << 1 << "stĺpec „splatnost“: Dátum splatnosti: zadajte deň od 1. 1. 2009 do ";
        QTest::newRow("past") << vub + ";" + past << 0 << "Upozornenie: Riadok 2, stĺpec „splatnost“: dátum splatnosti " + past + " už uplynul";
        QTest::newRow("negative fonts") << "A;zle.obl" << 1 << "stĺpec „sablona“: šablónu obálky „zle.obl“ sa nepodarilo otvoriť (šablóna udáva písmo adresáta -11 a odosielateľa -9;";
    }
    void rowsRefusedOrWarnedOf()
    {
        QFETCH(QString, row);
        QFETCH(int, code);
        QFETCH(QString, told);
        const QString binary = folder.file("zelvana-batch"), pdf = folder.file("t.pdf");
        QVERIFY(QFile::exists(binary) || QFile::copy(ZELVANA_BATCH_BINARY, binary));
        folder.installShipped("data/bic.txt");
        folder.write("data/zle.obl", QByteArray("\x6E\0\0\0\xDC\0\0\0\xF5\xFF\xFF\xFF\xF7\xFF\xFF\xFF", 16)); // 110, 220, -11, -9
        const bool envelope = row.endsWith(".obl");
        folder.write("t.csv", (envelope ? "adr;sablona\n" : "prijemca;suma;iban;bic;splatnost\n") + row.toUtf8() + "\n");
        QFile::remove(pdf);
        QProcess p;
        p.start(binary, {"--form", envelope ? "obalka" : "platba", "--input", folder.file("t.csv"), "--output", pdf});
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(told.isEmpty() ? !err.contains("Upozornenie") : err.contains(told), qPrintable(err));
        QCOMPARE(QFile::exists(pdf), code == 0);
    }
};

QTEST_GUILESS_MAIN(BatchRefusalsTest)
#include "test_batch_refusals.moc"
