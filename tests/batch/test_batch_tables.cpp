// Tables the real zelvana-batch is given: broken characters refused with
// line and column, UTF-16 without a BOM read, files of the kernel's read to
// their end, and tables too wide or too large refused early.
#include "batch/Table.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QtTest>
#include <sys/resource.h>

// AddressSanitizer reserves terabytes of address space at start.
#if defined(__SANITIZE_ADDRESS__)
#define ASAN_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASAN_BUILD 1
#endif
#endif

class BatchTablesTest : public QObject {
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

    void tablesAsTheUserGetsThem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size"); // grown to, sparse, when not 0
        QTest::addColumn<QString>("input"); // another file than the one written
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
        const QString text = QStringLiteral("suma;od1\r\n12;Žilina\r\n");
        const QString unprintable = QStringLiteral("Riadok 2, stĺpec „od1“: obsahuje znak, ktorý program nevie vytlačiť");
        const QByteArray utf16 = QByteArray("\xFF\xFE", 2) + QByteArray(le(u"suma;od1\r\n12;Ab"));
        QTest::newRow("lone surrogate") << utf16 + QByteArray("\x00\xD8", 2) + QByteArray(le(u"c\r\n")) << 0LL << QString()
                                        << 1 << unprintable;
        QTest::newRow("odd last byte") << utf16 + "c" << 0LL << QString() << 1 << TableHalfUnitMessage.arg(2);
        QTest::newRow("unassigned byte") << QByteArray("suma;od1\r\n12;Ko\x9A" "ice\x98\r\n") << 0LL << QString() << 1
                                         << unprintable;
        QTest::newRow("C1 control") << QByteArray("suma;od1\r\n12;\xC5\xBD\xC2\x81\r\n") << 0LL << QString() << 1 << unprintable;
        const QString fine = QStringLiteral("Tabuľka je v poriadku: 1 strana na tlač.");
        QTest::newRow("UTF-16 LE, no BOM") << QByteArray(le(text)) << 0LL << QString() << 0 << fine;
        QTest::newRow("UTF-16 BE, no BOM") << QByteArray(be(text)) << 0LL << QString() << 0 << fine;
        // Its size says 0, its first line is "Name:<tab>zelvana-batch".
        QTest::newRow("a file of the kernel's") << QByteArray() << 0LL << QStringLiteral("/proc/self/status") << 1
                                                << QStringLiteral("Riadok 1, stĺpec „Name:“");
        QTest::newRow("five million cells") << QByteArray("a;").repeated(5 << 20) + "a\n" << 0LL << QString() << 1
                                            << TableTooManyCellsMessage.arg(1).arg(TableCountText(MaxTableCells));
        QTest::newRow("too large") << QByteArray("suma;od1\n") << MaxTableBytes + 1 << QString() << 1
                                   << TableTooLargeMessage.arg(folder.file("t.csv")).arg(MaxTableBytes >> 20);
    }
    void tablesAsTheUserGetsThem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, input);
        QFETCH(int, code);
        QFETCH(QString, says);
        folder.write("t.csv", bytes);
        if (size > 0)
            QVERIFY(QFile::resize(folder.file("t.csv"), size));
        QProcess p;
#if !defined(ASAN_BUILD)
        // Refused early, the table takes no memory to speak of: a start of
        // the program fits in a fraction of this.
        p.setChildProcessModifier([] {
            const rlimit most{512 << 20, 512 << 20};
            setrlimit(RLIMIT_AS, &most);
        });
#endif
        p.start(binary, {"--form", "C", "--input", input.isEmpty() ? folder.file("t.csv") : input, "--check"});
        QVERIFY(p.waitForFinished(60000));
        const QString said = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(said.contains(says), qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("prázdna")), qPrintable(said));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
    }
};

QTEST_GUILESS_MAIN(BatchTablesTest)
#include "test_batch_tables.moc"
