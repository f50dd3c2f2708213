// The real zelvana-batch's dry run on the default print font: which columns
// it warns about, read from what the process writes.
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class BatchFitTest : public QObject {
    Q_OBJECT
    TempProgramFolder folder;
    QString binary;

private slots:
    void initTestCase()
    {
        binary = folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary));
        QVERIFY(QFile::setPermissions(binary, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
    }

    void warnsOfTextsRunTogether_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("warned"); // columns of line 2, in the form's order
        QTest::newRow("D, usual") << "D" << QByteArray("suma;hal;ad1;adpsc;ad3;ucet\n120;5;Ján Novák;04001;Košice;123456/0200\n")
                                  << QStringList{};
        QTest::newRow("D, account across the parts")
            << "D" << QByteArray("suma;hal;ucet\n120;0;19-123457/0200\n") << QStringList{"ucet"};
        QTest::newRow("A, usual") << "A" << QByteArray("suma;hal;slovomh;od1;cu1;cu2\n171471;2;-dvadsať-;Ing. Ján Košický;123456;0200\n")
                                  << QStringList{};
        QTest::newRow("A, hellers in words over the part line")
            << "A" << QByteArray("suma;hal;slovomh\n12;5;-päťdesiat-\n") << QStringList{"slovomh"};
        QTest::newRow("C, usual") << "C" << QByteArray("suma;hal;ad1;ad3;od1\n12;0;Ján Novák;Prievidza;Jana\n")
                                  << QStringList{};
        QTest::newRow("C, postcodes into towns")
            << "C" << QByteArray("suma;hal;adpsc;ad3;odpsc;od3\n12;0;97101;Prievidza;81101;Bratislava\n")
            << QStringList{"adpsc", "ad3", "odpsc", "od3"};
    }
    void warnsOfTextsRunTogether()
    {
        QFETCH(QString, form);
        QFETCH(QByteArray, table);
        QFETCH(QStringList, warned);
        folder.write("rows.csv", table);
        QProcess p;
        p.start(binary, {"--form", form, "--input", folder.file("rows.csv"), "--check"});
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 0); // texts that run together print, with a warning
        QStringList columns;
        static const QRegularExpression line(
            QStringLiteral("Upozornenie: Riadok 2, stĺpec „([a-z0-9_]+)“: text by zasiahol do iného textu"));
        for (auto m = line.globalMatch(err); m.hasNext();)
            columns << m.next().captured(1);
        QVERIFY2(columns == warned, qPrintable(err));
    }
};

QTEST_MAIN(BatchFitTest)
#include "test_batch_fit.moc"
