// Reading a table's bytes: tables that mix encodings, UTF-16 with or without
// a BOM, bytes that are no character, tab separators, and the bounds on
// cells, rows and cell length.
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

    // A byte or code that is no character reaches its cell as U+FFFD, which
    // the row check refuses with line and column, as any U+FFFD.
    void brokenCharactersReachTheCellAsReplacements_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cell");
        QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
        const QString text = QStringLiteral("suma;od1\r\n12;Žilina\r\n");
        const QByteArray bom("\xFF\xFE", 2), head = bom + QByteArray(le(u"suma;od1\r\n12;Ab"));
        QTest::newRow("UTF-16 LE without BOM") << QByteArray(le(text)) << QStringLiteral("Žilina");
        QTest::newRow("UTF-16 BE without BOM") << QByteArray(be(text)) << QStringLiteral("Žilina");
        QTest::newRow("lone high surrogate") << head + QByteArray("\x00\xD8", 2) + QByteArray(le(u"c\r\n")) << QStringLiteral("Ab\uFFFDc");
        QTest::newRow("lone low surrogate") << head + QByteArray("\x00\xDC", 2) + QByteArray(le(u"c\r\n")) << QStringLiteral("Ab\uFFFDc");
        QTest::newRow("high surrogate at the end") << head + QByteArray("\x00\xD8", 2) << QStringLiteral("Ab\uFFFD");
        QTest::newRow("a whole pair") << head + QByteArray("\x3D\xD8\x00\xDE", 4) << QStringLiteral("Ab\U0001F600");
        QTest::newRow("code page 1250, unassigned") << QByteArray("suma;od1\r\n12;Ko\x9A" "ice\x98\x81\r\n")
                                                    << QStringLiteral("Košice\uFFFD\uFFFD");
        QTest::newRow("UTF-8, C1 control") << QByteArray("suma;od1\r\n12;\xC5\xBD\xC2\x81\r\n") << QStringLiteral("Ž\uFFFD");
        QTest::newRow("UTF-16, C1 control") << head + QByteArray("\x98\x00", 2) << QStringLiteral("Ab\uFFFD");
        // The high half ends the first 64 KiB read, the low half begins the next.
        QTest::newRow("a pair across two pieces") << head + QByteArray(le(QString(32750, u'x'))) + QByteArray("\x3D\xD8\x00\xDE", 4)
                                                  << QStringLiteral("Ab") + QString(32750, u'x') + QStringLiteral("\U0001F600");
    }
    void brokenCharactersReachTheCellAsReplacements()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cell);
        const Read r = readBytes(dir, bytes);
        QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
        QCOMPARE(r.rows.size(), 2);
        QCOMPARE(r.rows[0].cells, (QStringList{"suma", "od1"}));
        QCOMPARE(r.rows[1].cells, (QStringList{"12", cell}));
        QCOMPARE(r.rows[1].line, 2);
    }

    void utf16ComesWholeFromPiecesOfAnySize()
    {
        const QString text = QStringLiteral("suma;od1\r\n12;Ž\U0001F600\r\n");
        const QByteArray bytes = QByteArray("\xFE\xFF", 2) + QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(text));
        for (int piece : {1, 2, 3, 5}) {
            TableBytes decoded(TableEncoding::Utf16BE, 2);
            QByteArray out;
            for (qsizetype i = 0; i < bytes.size(); i += piece)
                out += decoded.next(bytes.mid(i, piece));
            out += decoded.finish();
            QCOMPARE(QString::fromUtf8(out), text);
            QVERIFY(!decoded.endsInsideAUnit());
        }
    }

    void aTableIsBoundedWhileItIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("rows"); // handed on before the stop
        const QByteArray most = QByteArray("a;").repeated(MaxTableCells - 1) + "a\n";
        const QString cells = TableTooManyCellsMessage.arg("%1", TableCountText(MaxTableCells));
        QTest::newRow("cells, the most") << most + most << QString() << 2;
        QTest::newRow("cells, one more") << "a\n\"b\n\"\n" + most.chopped(1) + ";a\n" << cells.arg(4) << 2;
        QTest::newRow("cells, millions") << QByteArray("a;").repeated(5 << 20) + "a\n" << cells.arg(1) << 0;
        const QByteArray rows = QByteArray("1\n").repeated(MaxTableRows);
        QTest::newRow("rows, the most") << "suma\n" + rows + "\n\n" << QString() << MaxTableRows + 1;
        // Blank lines are no rows but still lines.
        QTest::newRow("rows, one more") << "suma\n" + rows + "\n\n2\n"
                                        << TableTooManyRowsMessage.arg(MaxTableRows + 4).arg(TableCountText(MaxTableRows))
                                        << MaxTableRows + 1;
        QStringEncoder le(QStringEncoder::Utf16LE);
        QTest::newRow("UTF-16 cut inside a unit") << QByteArray(le(u"suma;od1\r\n12;a\r\n")) + "\x31"
                                                  << TableHalfUnitMessage.arg(3) << 2;
    }
    void aTableIsBoundedWhileItIsRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(int, rows);
        const Read r = readBytes(dir, bytes);
        QCOMPARE(r.problem, problem);
        QCOMPARE(r.rows.size(), rows);
    }
};

QTEST_GUILESS_MAIN(TableReadingTest)
#include "test_table_reading.moc"
