// The real zelvana-batch's dry run on the default print font: the columns it
// warns of, read from what the process writes.
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class BatchFitTest : public QObject {
    Q_OBJECT
private slots:
    void warnsOfTextsRunTogether_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("warned"); // in the form's order
        QTest::newRow("D usual") << "D" << QByteArray("ad1;adpsc;ad3;ucet\nJán Novák;04001;Košice;123456/0200") << QStringList{};
        QTest::newRow("D account") << "D" << QByteArray("ucet\n19-123457/0200") << QStringList{"ucet"};
        QTest::newRow("A usual") << "A" << QByteArray("suma;hal;slovomh;od1\n171471;2;-dvadsať-;Ing. Ján Košický") << QStringList{};
        QTest::newRow("A hellers") << "A" << QByteArray("hal;slovomh\n5;-päťdesiat-") << QStringList{"slovomh"};
        QTest::newRow("C usual") << "C" << QByteArray("ad1;ad3;od1\nJán Novák;Prievidza;Jana") << QStringList{};
        QTest::newRow("C postcodes") << "C" << QByteArray("adpsc;ad3;odpsc;od3\n97101;Prievidza;81101;Bratislava")
                                     << QStringList{"adpsc", "ad3", "odpsc", "od3"};
    }
    void warnsOfTextsRunTogether()
    {
        QFETCH(QString, form);
        QFETCH(QByteArray, table);
        QFETCH(QStringList, warned);
        TempProgramFolder folder;
        const QString binary = folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary));
        folder.write("rows.csv", table + "\n");
        QProcess p;
        p.start(binary, {"--form", form, "--input", folder.file("rows.csv"), "--check"});
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 0); // such texts print, with a warning
        QStringList columns;
        static const QRegularExpression line(QStringLiteral("Upozornenie: Riadok 2, stĺpec „(\\w+)“: text by zasiahol"));
        for (auto m = line.globalMatch(err); m.hasNext();)
            columns << m.next().captured(1);
        QVERIFY2(columns == warned, qPrintable(err));
    }
};

QTEST_MAIN(BatchFitTest)
#include "test_batch_fit.moc"
