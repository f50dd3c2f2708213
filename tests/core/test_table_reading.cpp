// Reading a table's bytes: tables that mix encodings, UTF-16, bytes that are
// no character, tab separators, the bounds on cells, rows and cells' length;
// and what the real zelvana-batch says of such tables.
#include "core/batch/Table.h"

#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>

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

    // UTF-16 without a BOM, the halves of a pair kept together across two
    // reads and lone ones as U+FFFD; cells and rows at the bound and past it.
    void cellsAndBounds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("rows"); // handed on before any stop
        QTest::addColumn<QString>("last"); // the last cell of the last of them
        QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
        const QByteArray head = QByteArray("\xFF\xFE", 2) + QByteArray(le(u"suma;od1\r\n12;Ab"));
        const QByteArray most = QByteArray("a;").repeated(MaxTableCells - 1) + "a\n", rows = QByteArray("1\n").repeated(MaxTableRows);
        QTest::newRow("UTF-16 BE, no BOM") << QByteArray(be(u"suma;od1\r\n12;Žilina\r\n")) << QString() << 2 << QStringLiteral("Žilina");
        QTest::newRow("lone halves") << head + QByteArray("\x00\xDC\x00\xD8" "c\x00", 6) << QString() << 2 << QStringLiteral("Ab\uFFFD\uFFFDc");
        // The high half ends the first 64 KiB read, the low half begins the next.
        QTest::newRow("a pair across two reads") << head + QByteArray(le(QString(32750, u'x'))) + QByteArray("\x3D\xD8\x00\xDE", 4)
                                                 << QString() << 2 << QStringLiteral("Ab") + QString(32750, u'x') + QStringLiteral("\U0001F600");
        QTest::newRow("cells, the most and one more") << "a\n\"b\n\"\n" + most + most.chopped(1) + ";a\n"
                                                      << TableTooManyCellsMessage.arg(5).arg(TableCountText(MaxTableCells)) << 3 << "a";
        // Blank lines are no rows, yet lines.
        QTest::newRow("rows, the most and one more") << "suma\n" + rows + "\n\n2\n"
                                                     << TableTooManyRowsMessage.arg(MaxTableRows + 4).arg(TableCountText(MaxTableRows))
                                                     << MaxTableRows + 1 << "1";
    }
    void cellsAndBounds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(int, rows);
        QFETCH(QString, last);
        const Read r = readBytes(dir, bytes);
        QCOMPARE(r.problem, problem);
        QCOMPARE(r.rows.size(), rows);
        QCOMPARE(r.rows.value(rows - 1).cells.value(r.rows.value(rows - 1).cells.size() - 1), last);
    }

    void whatTheBatchSays_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of t.csv
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("says"); // and the exit status is 1, unless it says the table is fine
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), dir.filePath("zelvana-batch")));
        const QString t = dir.filePath("t.csv"), big = dir.filePath("big.csv");
        QFile sparse(big); // no disk, no time
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.write("suma;od1\n") && sparse.resize(MaxTableBytes + 1));
        const QString bad = QStringLiteral("Riadok 2, stĺpec „od1“: obsahuje znak, ktorý program nevie vytlačiť");
        QStringEncoder le(QStringEncoder::Utf16LE);
        const QByteArray utf16 = QByteArray("\xFF\xFE", 2) + QByteArray(le(u"suma;od1\r\n12;Ab"));
        QTest::newRow("lone surrogate") << utf16 + QByteArray("\x00\xD8", 2) << t << bad;
        QTest::newRow("odd last byte") << utf16 + "c" << t << TableHalfUnitMessage.arg(2);
        QTest::newRow("unassigned byte") << QByteArray("suma;od1\r\n12;Ko\x98\r\n") << t << bad;
        QTest::newRow("C1 control") << QByteArray("suma;od1\r\n12;\xC2\x81\r\n") << t << bad;
        QTest::newRow("UTF-16 without BOM") << QByteArray(le(u"suma;od1\r\n12;Žilina\r\n")) << t << QStringLiteral("Tabuľka je v poriadku");
        // Its size says 0; its first line is "Name:<tab>zelvana-batch".
        QTest::newRow("a file of the kernel's") << QByteArray() << "/proc/self/status" << QStringLiteral("Riadok 1, stĺpec „Name:“");
        QTest::newRow("five million cells") << QByteArray("a;").repeated(5 << 20) << t
                                            << TableTooManyCellsMessage.arg(1).arg(TableCountText(MaxTableCells));
        QTest::newRow("too large") << QByteArray() << big << TableTooLargeMessage.arg(big).arg(MaxTableBytes >> 20);
    }
    void whatTheBatchSays()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, input);
        QFETCH(QString, says);
        readBytes(dir, bytes);
        QProcess p;
#ifndef __SANITIZE_ADDRESS__ // which reserves terabytes of address space
        // Refused early, a table takes no memory to speak of: the program starts in a fraction of this.
        p.setChildProcessModifier([] {
            const rlimit most{512 << 20, 512 << 20};
            setrlimit(RLIMIT_AS, &most);
        });
#endif
        p.start(dir.filePath("zelvana-batch"), {"--form", "C", "--input", input, "--check"});
        QVERIFY(p.waitForFinished(60000));
        const QString said = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(said.contains(says), qPrintable(said));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), says.startsWith(QStringLiteral("Tabuľka je v poriadku")) ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TableReadingTest)
#include "test_table_reading.moc"
