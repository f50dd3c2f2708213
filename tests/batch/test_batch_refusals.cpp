// The real zelvana-batch refusing rows the window refuses too: accounts no
// bank can keep, a BIC of another bank, an unusable due date, an envelope
// template with font sizes that are not positive; a past due date warned of.
#include "support/TempProgramFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

class BatchRefusalsTest : public QObject {
    Q_OBJECT
    TempProgramFolder folder;
    QString binary;

    struct Run {
        int code;
        QString err;
    };
    Run run(const QStringList& args)
    {
        QProcess p;
        p.start(binary, args);
        if (!p.waitForFinished(60000))
            return {-1, QStringLiteral("timeout")};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAllStandardError())};
    }
    Run payments(const QByteArray& rows)
    {
        folder.write("p.csv", "prijemca;iban;bic;suma;splatnost\n" + rows);
        QFile::remove(folder.file("p.pdf"));
        return run({"--form", "platba", "--input", folder.file("p.csv"), "--output", folder.file("p.pdf")});
    }

private slots:
    void initTestCase()
    {
        binary = folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary));
        QVERIFY(QFile::setPermissions(binary, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        folder.installShipped(QStringLiteral("data/bic.txt"));
    }

    void impossiblePaymentsPrintNothing()
    {
        const Run r = payments("A;SK13ABCD0000001987426375;;1;\n"
                               "B;SK5012000000000000000000;;1;\n"
                               "C;SK2312000000000000000001;;1;\n"
                               "D;SK31 1200 0000 1987 4263 7541;SUBASKBX;1;\n"
                               "E;SK76 0200 0000 1900 0012 3457;TATRSKBX;1;\n"
                               "F;SK76 0200 0000 1900 0012 3457;;1;1. 1. 0001\n"
                               "G;SK76 0200 0000 1900 0012 3457;;1;31. 12. 9999\n"
                               "H;SK76 0200 0000 1900 0012 3457;SUBASKBX;1;\n");
        QCOMPARE(r.code, 1);
        const QStringList expected = {
            "Riadok 2, stĺpec „iban“: IBAN: slovenský IBAN má za kontrolnými číslicami len číslice",
            "Riadok 3, stĺpec „iban“: IBAN: číslo účtu nemôže byť samé nuly.",
            "Riadok 4, stĺpec „iban“: IBAN: číslo účtu nemá správny kontrolný súčet.",
            "Riadok 5, stĺpec „bic“: BIC: SUBASKBX je BIC banky Všeobecná úverová banka, a.s. (kód banky 0200)",
            "Riadok 6, stĺpec „bic“: BIC: účet v IBAN vedie Všeobecná úverová banka, a.s. (kód banky 0200) s BIC SUBASKBX",
            "Riadok 7, stĺpec „splatnost“: Dátum splatnosti: zadajte deň od 1. 1. 2009",
            "Riadok 8, stĺpec „splatnost“: Dátum splatnosti: zadajte deň od 1. 1. 2009"};
        for (const QString& line : expected)
            QVERIFY2(r.err.contains(line), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("Riadok 9")), qPrintable(r.err));
        QVERIFY(!QFile::exists(folder.file("p.pdf")));
    }

    void pastDueDateIsPrintedWithAWarning()
    {
        const QDate past = QDate::currentDate().addDays(-3);
        const QDate ahead = QDate::currentDate().addDays(3);
        const Run r = payments("A;SK76 0200 0000 1900 0012 3457;;1;" + past.toString(Qt::ISODate).toLatin1()
                               + "\nB;SK76 0200 0000 1900 0012 3457;;2;" + ahead.toString(Qt::ISODate).toLatin1() + "\n");
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err.count(QStringLiteral("Upozornenie")), 1);
        QVERIFY2(r.err.contains(QStringLiteral("Upozornenie: Riadok 2, stĺpec „splatnost“: dátum splatnosti %1 už uplynul")
                                    .arg(past.toString(QStringLiteral("d. M. yyyy")))),
                 qPrintable(r.err));
        QFile pdf(folder.file("p.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }

    void templateFontsMustBePositive_data()
    {
        QTest::addColumn<QByteArray>("fonts"); // recipient, then sender: 32-bit little-endian
        QTest::addColumn<QString>("told");
        QTest::newRow("both negative") << QByteArray("\xF5\xFF\xFF\xFF\xF7\xFF\xFF\xFF", 8) << "adresáta -11 a odosielateľa -9";
        QTest::newRow("sender zero") << QByteArray("\x0B\0\0\0\0\0\0\0", 8) << "adresáta 11 a odosielateľa 0";
    }
    void templateFontsMustBePositive()
    {
        QFETCH(QByteArray, fonts);
        QFETCH(QString, told);
        folder.write("data/zle.obl", QByteArray("\x6E\0\0\0\xDC\0\0\0", 8) + fonts); // 110 x 220 mm
        folder.write("e.csv", "adr;sablona\nAdresát;zle.obl\n");
        folder.write("f.csv", "adr\nAdresát\n");
        const QString pdf = folder.file("e.pdf");
        const Run row = run({"--form", "obalka", "--input", folder.file("e.csv"), "--output", pdf});
        QCOMPARE(row.code, 1);
        QVERIFY2(row.err.contains(QStringLiteral("Riadok 2, stĺpec „sablona“")) && row.err.contains(told), qPrintable(row.err));
        const Run option = run({"--form", "obalka", "--input", folder.file("f.csv"), "--template", "zle.obl", "--output", pdf});
        QCOMPARE(option.code, 2);
        QVERIFY2(option.err.contains(told), qPrintable(option.err));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_GUILESS_MAIN(BatchRefusalsTest)
#include "test_batch_refusals.moc"
