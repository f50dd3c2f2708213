// Files the program must not read as they stand: pipes, devices, folders and
// links to them, files far too big to be ours, links that point nowhere. Each
// is refused with a message naming it; nothing waits, fills memory or is
// created outside the program folder.
#include "ui/frame/DocumentKind.h"
#include "core/records/Tips.h"
#include "core/records/BankList.h"
#include "core/base/SafeRead.h"
#include "ui/slips/TApoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QtTest>
#include <cerrno>
#include <sys/stat.h>

static constexpr int OneMiB = 1048576;

static QString notRegularText(const QString& path)
{
    return QStringLiteral("Súbor „%1“ nie je obyčajný súbor, program ho nečíta.").arg(path);
}

static QString tooLargeText(const QString& path)
{
    return QStringLiteral("Súbor „%1“ je väčší ako 1 MiB, program ho nečíta.").arg(path);
}

static QString danglingText(const QString& path)
{
    return QStringLiteral("Súbor „%1“ je odkaz na neexistujúci súbor, program ho nevytvorí.").arg(path);
}

// What lstat says the program folder entry is, to show it was left as it was.
static mode_t entryType(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// What a link to a regular file of that name holds for the test below.
static QByteArray regularContent(const QString& name)
{
    if (name == "banky.cbx")
        return "VUB\r\nSLSP\r\n";
    if (name == "program.nas")
        return settingsBytes({Flag::AllowMultipleForms});
    if (name == "uziv.nas")
        return personalBytes(Owner);
    return shortStringRecord("first") + shortStringRecord("second");
}

// Puts a thing of `kind` at `path`; `spare` is a folder for link targets.
static void makeEntry(const QString& kind, const QString& path, const QString& name, const TempProgramFolder& spare)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray fifo = QFile::encodeName(spare.file("fifo"));
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == "link to a fifo") {
        QCOMPARE(::mkfifo(fifo.constData(), 0644), 0);
        QVERIFY(QFile::link(spare.file("fifo"), path));
    } else if (kind == "link to a folder")
        QVERIFY(QFile::link(spare.path(), path));
    else if (kind == "link to a regular file") {
        spare.write("target", regularContent(name));
        QVERIFY(QFile::link(spare.file("target"), path));
    } else
        QVERIFY(QFile::link(kind.mid(QStringLiteral("link to ").size()), path)); // a device
}

class FileSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        for (const char* name : {"banky.cbx", "data/subor1.tip", "program.nas", "uziv.nas"})
            for (const char* kind : {"fifo", "folder", "link to a fifo", "link to a folder", "link to /dev/null",
                                     "link to /dev/zero", "link to a regular file"})
                QTest::addRow("%s is a %s", name, kind) << QString::fromLatin1(name) << QString::fromLatin1(kind);
    }
    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        HangGuard guard;
        Program p;
        TempProgramFolder spare;
        if (name != "data/subor1.tip")
            p.folder.installShippedTips();
        const QString path = p.folder.file(name);
        makeEntry(kind, path, name, spare);
        if (QTest::currentTestFailed())
            return;
        const mode_t before = entryType(path);

        p.start();
        if (name == "banky.cbx")
            p.launcher->Image1Click(); // a slip A window reads the bank list
        QCOMPARE(p.app->OpenFormCount, name == "banky.cbx" ? 1 : 0); // the window opens all the same
        QCOMPARE(entryType(path), before);
        RecordStore& records = p.app->records;

        if (kind != "link to a regular file") {
            QCOMPARE(p.platform.messages, QStringList{notRegularText(path)});
            if (name == "program.nas") {
                QVERIFY(!records.settingsOpen());
                QVERIFY_THROWS_EXCEPTION(FileError, records.SaveSettings());
            } else if (name == "uziv.nas") {
                QVERIFY(!records.personalOpen());
                QVERIFY_THROWS_EXCEPTION(FileError, records.SavePersonalData());
            }
            return;
        }
        // A link to a regular file is read as that file, and saves go to it.
        QVERIFY(p.platform.messages.isEmpty());
        if (name == "banky.cbx") {
            auto* slip = qobject_cast<TApoukazka*>(openDocumentWindows().value(0));
            QVERIFY(slip);
            QCOMPARE(slip->banka->count(), 2);
            QCOMPARE(slip->banka->itemText(1), QStringLiteral("SLSP"));
        } else if (name == "data/subor1.tip") {
            QCOMPARE(p.launcher->Memo1->toPlainText(), QStringLiteral("first"));
        } else if (name == "program.nas") {
            QVERIFY(p.app->settings().flag(Flag::AllowMultipleForms));
            p.app->settings().setPrintFontSize(9);
            records.SaveSettings();
            QCOMPARE(spare.read("target").mid(1304, 4), QByteArray("\x09\0\0\0", 4));
        } else {
            QCOMPARE(p.app->personal().get(Personal::meno), toCp1250(QStringLiteral("Ján")));
            p.app->personal().set(Personal::meno, "Eva");
            records.SavePersonalData();
            QCOMPARE(spare.read("target").left(4), QByteArray("\x03" "Eva"));
        }
    }

    void bankListOfAtMostOneMiBIsRead_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("read");
        QTest::newRow("exactly 1 MiB") << QByteArray("Last") << true;
        QTest::newRow("1 MiB and one byte") << QByteArray("Last!") << false;
    }
    void bankListOfAtMostOneMiBIsRead()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, read);
        TempProgramFolder folder;
        const QByteArray line = "Banka\r\n";
        const int lines = (OneMiB - 4) / int(line.size());
        QCOMPARE(lines * line.size() + 4, OneMiB);
        folder.write("banky.cbx", line.repeated(lines) + tail);
        const QString path = folder.file("banky.cbx");
        if (read) {
            const QStringList banks = LoadOrCreateBankList(path);
            QCOMPARE(banks.size(), lines + 1);
            QCOMPARE(banks.last(), QString::fromLatin1(tail));
        } else {
            QCOMPARE(errorOf([&] { LoadOrCreateBankList(path); }), tooLargeText(path));
            QCOMPARE(QFileInfo(path).size(), qint64(OneMiB) + 1); // left as it was
        }
    }

    void tipsOfAtMostOneMiBAreRead_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("read");
        QTest::newRow("4096 records, exactly 1 MiB") << 4096 << true;
        QTest::newRow("4097 records") << 4097 << false;
    }
    void tipsOfAtMostOneMiBAreRead()
    {
        QFETCH(int, records);
        QFETCH(bool, read);
        Program p;
        QStringList tips;
        for (int i = 0; i < records; ++i)
            tips << QStringLiteral("tip %1").arg(i);
        p.folder.writeTips(tips);
        p.platform.randomScript = {4094};
        p.start();
        if (read) {
            QVERIFY(p.platform.messages.isEmpty());
            QCOMPARE(p.launcher->Memo1->toPlainText(), QStringLiteral("tip 4094"));
            QCOMPARE(p.platform.randomCalls, QList<int>{4095});
        } else {
            QCOMPARE(p.platform.messages, QStringList{tooLargeText(p.folder.file("data/subor1.tip"))});
            QVERIFY(p.launcher->Memo1->toPlainText().isEmpty());
        }
    }

    void regularFileReadNamesItsLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << 0 << qint64(10) << QString();
        QTest::newRow("at the limit") << 10 << qint64(10) << QString();
        QTest::newRow("one byte over") << 11 << qint64(10) << QStringLiteral("10 B");
        QTest::newRow("over 2 KiB") << 2049 << qint64(2048) << QStringLiteral("2 KiB");
        QTest::newRow("over 3 MiB") << 3 * OneMiB + 1 << qint64(3 * OneMiB) << QStringLiteral("3 MiB");
    }
    void regularFileReadNamesItsLimit()
    {
        QFETCH(int, size);
        QFETCH(qint64, limit);
        QFETCH(QString, error);
        TempProgramFolder folder;
        QByteArray content(size, '\0');
        for (int i = 0; i < size; ++i)
            content[i] = char(i * 7 + 1);
        folder.write("file", content);
        const QString path = folder.file("file");
        if (error.isEmpty())
            QCOMPARE(ReadRegularFile(path, limit), content);
        else
            QCOMPARE(errorOf([&] { ReadRegularFile(path, limit); }),
                     QStringLiteral("Súbor „%1“ je väčší ako %2, program ho nečíta.").arg(path, error));
    }

    void missingFileGivesTheStandardText()
    {
        TempProgramFolder folder;
        try {
            ReadRegularFile(folder.file("none"), 10);
            QFAIL("a missing file must not read");
        } catch (const FileError& e) {
            QCOMPARE(QString(e.what()), QString("File not found"));
            QCOMPARE(e.systemError(), ENOENT);
        }
    }

    void tipsTakeTheirDrawFromAnyRandomSource()
    {
        TempProgramFolder folder;
        folder.writeTips({"tip 0", "tip 1", "tip 2"});
        const QString path = folder.file("data/subor1.tip");
        QList<int> asked;
        auto drawing = [&asked](int value) {
            return [&asked, value](int n) {
                asked << n;
                return value;
            };
        };
        QCOMPARE(ReadRandomTip(path, drawing(1)), Cp1250("tip 1"));
        QCOMPARE(asked, QList<int>{2}); // the last of three records is never drawn
        // A source that strays outside the file reads nothing.
        QCOMPARE(errorOf([&] { ReadRandomTip(path, drawing(-1)); }), QString("Read beyond end of file"));
        QCOMPARE(errorOf([&] { ReadRandomTip(path, drawing(3)); }), QString("Read beyond end of file"));

        folder.writeTips({"only"});
        asked.clear();
        QCOMPARE(ReadRandomTip(path, drawing(0)), Cp1250("only"));
        QVERIFY(asked.isEmpty()); // one record: nothing to draw
    }

    void danglingBankListLinkIsReportedNotFollowed()
    {
        Program p;
        TempProgramFolder elsewhere;
        const QString path = p.folder.file("banky.cbx");
        QVERIFY(QFile::link(elsewhere.file("banky.cbx"), path));
        p.folder.installShippedTips();
        p.start();
        p.launcher->Image1Click();
        QVERIFY2(!elsewhere.exists("banky.cbx"), "the link's target was created");
        QCOMPARE(p.platform.messages, QStringList{danglingText(path)});
        QCOMPARE(p.app->OpenFormCount, 1);
        // Saving a list through it is refused too.
        QCOMPARE(errorOf([&] { SaveBankList(path, {"VUB"}); }), danglingText(path));
        QVERIFY(!elsewhere.exists("banky.cbx"));
        QVERIFY(QFileInfo(path).isSymLink());
    }
};

QTEST_MAIN(FileSafetyTest)
#include "test_file_safety.moc"
