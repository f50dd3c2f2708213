// Reading a table's bytes: tables that mix encodings, UTF-16 with a BOM, tab
// separators and cells too long for any field.
#include "batch/Table.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Read {
    QString problem;
    QList<TableRow> rows;
    char separator = 0;
};

Read readBytes(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write the table");
    f.close();
    Read r;
    TableReader reader(path);
    r.problem = reader.open();
    if (r.problem.isEmpty())
        r.problem = reader.forEachRow([&](const TableRow& row) { return r.rows << row, true; });
    r.separator = reader.separator();
    return r;
}

} // namespace

class TableReadingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void mixedEncodingsAreRefusedAtTheFirstForeignByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        const QByteArray utf8 = QStringLiteral("Žltý kôň").toUtf8();
        QTest::newRow("utf8 first") << "suma;od1\n12;" + utf8 + "\n5;Ko\x9A" "ice\n" << 3;
        QTest::newRow("cp1250 first, CR LF") << "suma;od1\r\n12;Ko\x9A" "ice\r\n5;x\r\n7;" + utf8 + "\r\n" << 2;
        QTest::newRow("in a quoted cell") << "suma;od1\n1;\"a\nb\xE8\"\n2;" + utf8 + "\n" << 3;
    }
    void mixedEncodingsAreRefusedAtTheFirstForeignByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        const Read r = readBytes(dir, bytes);
        QCOMPARE(r.problem, TableMixedEncodingMessage.arg(dir.filePath(QStringLiteral("t.csv"))).arg(line));
        QVERIFY(r.problem.contains(QStringLiteral("v jednom kódovaní")));
        QVERIFY(r.rows.isEmpty());
    }

    void aLetterAcrossTwoPiecesOfTheFileIsUtf8()
    {
        // The reader takes 64 KiB at a time; byte 65535 starts a "ž".
        QByteArray bytes("abcde;f\n");
        while (bytes.size() < 70000)
            bytes += "1;\xC5\xBE\n";
        QCOMPARE(bytes.mid(65535, 2), QByteArray("\xC5\xBE"));
        const Read r = readBytes(dir, bytes);
        QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
        QCOMPARE(r.rows.last().cells, (QStringList{"1", QStringLiteral("ž")}));
        // A letter cut off at the end of a UTF-8 table is a foreign byte.
        const Read cut = readBytes(dir, "a;b\n1;\xC5\xBE\n2;\xC5");
        QCOMPARE(cut.problem, TableMixedEncodingMessage.arg(dir.filePath(QStringLiteral("t.csv"))).arg(3));
    }

    void utf16WithBomAndTabs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<char>("separator");
        const QString text = QStringLiteral("suma;od1\r\n12;\"Žltý kôň; €\"\r\n");
        QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE", 2) + QByteArray(le(text)) << ';';
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF", 2) + QByteArray(be(text)) << ';';
        QString tabbed = text;
        tabbed.replace(QLatin1String(";\""), QLatin1String("\t\"")).replace(QLatin1String("suma;"), QLatin1String("suma\t"));
        QTest::newRow("UTF-16 LE, tabs") << QByteArray("\xFF\xFE", 2) + QByteArray(le(tabbed)) << '\t';
        QTest::newRow("UTF-8, tabs") << tabbed.toUtf8() << '\t';
    }
    void utf16WithBomAndTabs()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(char, separator);
        const Read r = readBytes(dir, bytes);
        QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
        QCOMPARE(r.separator, separator);
        QCOMPARE(r.rows.size(), 2);
        QCOMPARE(r.rows[0].cells, (QStringList{"suma", "od1"})); // no BOM in the first name
        QCOMPARE(r.rows[1].cells, (QStringList{"12", QStringLiteral("Žltý kôň; €")}));
        QCOMPARE(r.rows[1].line, 2);
    }

    void aCellIsBoundedWhileItIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray most(32767, 'x');
        QTest::newRow("the longest a field takes") << "suma;od1\n1;\"" + most + "\"\n" << QString();
        QTest::newRow("one more") << "suma;od1\n1;\"" + most + "x\"\n" << TableCellTooLongMessage.arg(2).arg(32767);
        QTest::newRow("one more in UTF-8") << "suma;od1\n1;" + QString(32768, QChar(0x17E)).toUtf8() + "\n"
                                           << TableCellTooLongMessage.arg(2).arg(32767);
        // Never closed: refused as it grows, not once the file has ended.
        QTest::newRow("an endless cell") << "suma;od1\n1;\"" + QByteArray(4 << 20, 'x') << TableCellTooLongMessage.arg(2).arg(32767);
    }
    void aCellIsBoundedWhileItIsRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const Read r = readBytes(dir, bytes);
        QCOMPARE(r.problem, problem);
        if (problem.isEmpty())
            QCOMPARE(r.rows.value(1).cells.value(1).size(), 32767);
        else
            QVERIFY(r.problem.contains(QStringLiteral("32767")));
    }
};

QTEST_GUILESS_MAIN(TableReadingTest)
#include "test_table_reading.moc"
