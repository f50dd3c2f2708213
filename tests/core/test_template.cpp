// The .obl file: its 16 bytes, writing and reading it with every way a file
// can fail, the names a template may have, and the templates that ship.
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/forms/envelope/TemplateList.h"
#include "core/forms/envelope/TemplateName.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <climits>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(EnvelopeTemplate)

namespace {

std::string path(const TempProgramFolder& folder, const QString& name)
{
    return QFile::encodeName(folder.file(name)).toStdString();
}

QByteArray bytesOf(const EnvelopeTemplate& t)
{
    const EnvelopeTemplateBytes b = EncodeTemplate(t);
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

template <typename F>
bool throwsOpenError(F&& body)
{
    try {
        body();
    } catch (const TemplateOpenError&) {
        return true;
    } catch (const FileError&) {
        return false;
    }
    return false;
}

} // namespace

class TemplateTest : public QObject {
    Q_OBJECT
private slots:
    void byteLayout_data()
    {
        QTest::addColumn<EnvelopeTemplate>("t");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("DL") << EnvelopeTemplate{110, 220, 11, 9}
                            << QByteArray::fromHex("6e000000" "dc000000" "0b000000" "09000000");
        QTest::newRow("wizard defaults") << EnvelopeTemplate{0, 0, 11, 9}
                                         << QByteArray::fromHex("00000000" "00000000" "0b000000" "09000000");
        QTest::newRow("every byte counts") << EnvelopeTemplate{0x01020304, 0x05060708, 0x090a0b0c, 0x0d0e0f10}
                                           << QByteArray::fromHex("04030201" "08070605" "0c0b0a09" "100f0e0d");
        QTest::newRow("negative") << EnvelopeTemplate{-1, -2, -256, INT_MIN}
                                  << QByteArray::fromHex("ffffffff" "feffffff" "00ffffff" "00000080");
        QTest::newRow("largest") << EnvelopeTemplate{INT_MAX, 0, 0, 0}
                                 << QByteArray::fromHex("ffffff7f" "00000000" "00000000" "00000000");
    }
    void byteLayout()
    {
        QFETCH(EnvelopeTemplate, t);
        QFETCH(QByteArray, bytes);
        QCOMPARE(bytesOf(t), bytes);
        EnvelopeTemplateBytes raw{};
        std::copy(bytes.begin(), bytes.end(), raw.begin());
        QCOMPARE(DecodeTemplate(raw), t);
    }

    void writtenFileIsTheSixteenBytesAndReadsBack()
    {
        TempProgramFolder folder;
        QDir().mkpath(folder.file("data"));
        const EnvelopeTemplate t{-5, 0, INT_MAX, INT_MIN};
        WriteTemplateFile(path(folder, "data/x.obl"), t);
        QCOMPARE(folder.read("data/x.obl"), bytesOf(t));
        QCOMPARE(ReadTemplateFile(path(folder, "data/x.obl")), t);
        QCOMPARE(QFileInfo(folder.file("data/x.obl")).permissions() & QFile::ReadOwner, QFile::ReadOwner);
    }

    void overwritingEmptiesTheOldFileFirst()
    {
        TempProgramFolder folder;
        folder.write("data/x.obl", QByteArray(100, 'z'));
        WriteTemplateFile(path(folder, "data/x.obl"), {1, 2, 3, 4});
        QCOMPARE(folder.read("data/x.obl"), bytesOf({1, 2, 3, 4}));
    }

    void onlyTheFirstSixteenBytesAreRead()
    {
        TempProgramFolder folder;
        folder.write("data/long.obl", bytesOf({7, 8, 9, 10}) + QByteArray("trailing bytes"));
        QCOMPARE(ReadTemplateFile(path(folder, "data/long.obl")), (EnvelopeTemplate{7, 8, 9, 10}));
    }

    void shortFileReadsBeyondItsEnd_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one value") << 4;
        QTest::newRow("one byte short") << 15;
    }
    void shortFileReadsBeyondItsEnd()
    {
        QFETCH(int, size);
        TempProgramFolder folder;
        folder.write("data/short.obl", bytesOf({1, 2, 3, 4}).left(size));
        bool openError = true;
        const QString error = errorOf([&] {
            openError = throwsOpenError([&] { ReadTemplateFile(path(folder, "data/short.obl")); });
            ReadTemplateFile(path(folder, "data/short.obl"));
        });
        QCOMPARE(error, QStringLiteral("Read beyond end of file"));
        QVERIFY(!openError); // it opened; the read failed
    }

    void whatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "missing" << "File not found";
        QTest::newRow("folder") << "folder" << "File access denied";
        QTest::newRow("fifo") << "fifo" << "File access denied";
        QTest::newRow("dangling link") << "dangling" << "File not found";
        QTest::newRow("no data folder") << "nodata" << "File not found";
    }
    void whatCannotBeOpened()
    {
        QFETCH(QString, what);
        QFETCH(QString, error);
        TempProgramFolder folder;
        if (what != "nodata")
            QDir().mkpath(folder.file("data"));
        const QByteArray target = QFile::encodeName(folder.file("data/t.obl"));
        if (what == "folder")
            QDir().mkpath(folder.file("data/t.obl"));
        if (what == "fifo")
            QCOMPARE(::mkfifo(target.constData(), 0644), 0); // a read must not wait for a writer
        if (what == "dangling")
            QCOMPARE(::symlink("nowhere.obl", target.constData()), 0);
        QString got;
        const bool openError = throwsOpenError([&] {
            got = errorOf([&] { ReadTemplateFile(target.toStdString()); });
            ReadTemplateFile(target.toStdString());
        });
        QVERIFY(openError);
        QCOMPARE(got, error);
    }

    void writingWithoutADataFolderLeavesNothing()
    {
        TempProgramFolder folder;
        QCOMPARE(errorOf([&] { WriteTemplateFile(path(folder, "data/x.obl"), {}); }), QStringLiteral("File not found"));
        QVERIFY(!folder.exists("data"));
    }

    void fullDiskLeavesNoHalfWrittenFile_data()
    {
        QTest::addColumn<bool>("existed");
        QTest::newRow("new file") << false;
        QTest::newRow("overwriting") << true;
    }
    void fullDiskLeavesNoHalfWrittenFile()
    {
        QFETCH(bool, existed);
        TempProgramFolder folder;
        QDir().mkpath(folder.file("data"));
        if (existed)
            folder.write("data/x.obl", bytesOf({1, 1, 1, 1}));
        QString error;
        {
            FileSizeLimit full(10); // the first 10 bytes go, then the disk is full
            error = errorOf([&] { WriteTemplateFile(path(folder, "data/x.obl"), {110, 220, 11, 9}); });
        }
        QCOMPARE(error, QStringLiteral("Disk full"));
        QVERIFY(!folder.exists("data/x.obl"));
        // With room again the same call succeeds.
        WriteTemplateFile(path(folder, "data/x.obl"), {110, 220, 11, 9});
        QCOMPARE(folder.read("data/x.obl"), bytesOf({110, 220, 11, 9}));
    }

    void linksAndSpecialFilesAreNotWrittenThrough()
    {
        TempProgramFolder folder;
        folder.write("outside.txt", "keep me");
        QDir().mkpath(folder.file("data"));
        const QByteArray link = QFile::encodeName(folder.file("data/link.obl"));
        QCOMPARE(::symlink(QFile::encodeName(folder.file("outside.txt")).constData(), link.constData()), 0);
        QCOMPARE(errorOf([&] { WriteTemplateFile(link.toStdString(), {1, 2, 3, 4}); }), QStringLiteral("File access denied"));
        QCOMPARE(folder.read("outside.txt"), QByteArray("keep me"));
        QVERIFY(QFileInfo(folder.file("data/link.obl")).isSymLink()); // not removed either

        const QByteArray dangling = QFile::encodeName(folder.file("data/dangling.obl"));
        QCOMPARE(::symlink(QFile::encodeName(folder.file("made-outside.obl")).constData(), dangling.constData()), 0);
        QCOMPARE(errorOf([&] { WriteTemplateFile(dangling.toStdString(), {1, 2, 3, 4}); }), QStringLiteral("File access denied"));
        QVERIFY(!folder.exists("made-outside.obl"));

        const QByteArray fifo = QFile::encodeName(folder.file("data/fifo.obl"));
        QCOMPARE(::mkfifo(fifo.constData(), 0644), 0);
        QVERIFY(errorOf([&] { WriteTemplateFile(fifo.toStdString(), {1, 2, 3, 4}); }) != QStringLiteral("(no error)")); // and no hang
        struct stat st {};
        QCOMPARE(::lstat(fifo.constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode)); // left as it was

        QDir().mkpath(folder.file("data/dir.obl"));
        QCOMPARE(errorOf([&] { WriteTemplateFile(path(folder, "data/dir.obl"), {}); }), QStringLiteral("File access denied"));
        QVERIFY(QFileInfo(folder.file("data/dir.obl")).isDir());
    }

    void readOnlyFolderIsReported()
    {
        // Root may write anywhere, so the write runs in a child that gives up root.
        TempProgramFolder folder;
        QDir().mkpath(folder.file("data"));
        ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
        ::chmod(QFile::encodeName(folder.file("data")).constData(), 0555);
        const std::string target = path(folder, "data/x.obl");
        const pid_t pid = fork();
        if (pid == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(3);
            const QString error = errorOf([&] { WriteTemplateFile(target, {1, 2, 3, 4}); });
            _exit(error == QStringLiteral("File access denied") ? 0 : 2);
        }
        int status = -1;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(!folder.exists("data/x.obl"));
        ::chmod(QFile::encodeName(folder.file("data")).constData(), 0755);
    }

    void templateNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::newRow("plain") << "16x22" << QString();
        QTest::newRow("with spaces and letters") << QStringLiteral("Veľká obálka C4") << QString();
        QTest::newRow("only a space") << " " << QString();
        QTest::newRow("dot inside") << "a.b" << QString();
        QTest::newRow("empty") << "" << EmptyTemplateNameMessage;
        QTest::newRow("slash") << "../program" << SeparatorInTemplateNameMessage;
        QTest::newRow("slash inside") << "a/b" << SeparatorInTemplateNameMessage;
        QTest::newRow("backslash") << "a\\b" << SeparatorInTemplateNameMessage;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << ControlInTemplateNameMessage;
        QTest::newRow("tab") << "a\tb" << ControlInTemplateNameMessage;
        QTest::newRow("line break") << "a\nb" << ControlInTemplateNameMessage;
        QTest::newRow("C1 control") << QString::fromUtf16(u"a\u0085") << ControlInTemplateNameMessage;
        QTest::newRow("outside code page 1250") << QString::fromUtf16(u"obálka\u20AC\u4E2D") << CodePageInTemplateNameMessage;
        QTest::newRow("dot") << "." << DotTemplateNameMessage;
        QTest::newRow("dot dot") << ".." << DotTemplateNameMessage;
        QTest::newRow("hidden") << ".skryta" << DotTemplateNameMessage;
    }
    void templateNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QCOMPARE(TemplateNameProblem(name), problem);
    }

    void plainFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("template") << "DL 110x220.obl" << true;
        QTest::newRow("no extension") << "DL 110x220" << true;
        QTest::newRow("single space") << " " << true;
        QTest::newRow("hidden file") << ".x.obl" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("up and out") << "../program.nas" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("backslash") << "..\\uziv.nas" << false;
        QTest::newRow("NUL cuts the name") << QString::fromUtf16(u"DL.obl\0x", 8) << false;
    }
    void plainFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(IsPlainFileName(name), plain);
    }

    void templatePathIsInsideData()
    {
        QCOMPARE(TemplatePath("/opt/zelvana/", "DL 110x220.obl"), QStringLiteral("/opt/zelvana/data/DL 110x220.obl"));
        QCOMPARE(DataFolder("/opt/zelvana/"), QStringLiteral("/opt/zelvana/data"));
    }

    void listingAFolderThatIsNotThere()
    {
        TempProgramFolder folder;
        QCOMPARE(errorOf([&] { ListTemplateFolder(folder.file("data")); }), QStringLiteral("File not found"));
        folder.write("data", "a file, not a folder");
        QVERIFY(errorOf([&] { ListTemplateFolder(folder.file("data")); }) != QStringLiteral("(no error)"));
        QVERIFY(ListTemplates(folder.file("data")).isEmpty()); // the settings dialog's list stays quiet
    }

    void shippedTemplates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<EnvelopeTemplate>("t");
        QTest::newRow("DL") << "DL 110x220.obl" << EnvelopeTemplate{110, 220, 11, 9};
        QTest::newRow("C6") << "C6 114x162.obl" << EnvelopeTemplate{114, 162, 11, 9};
        QTest::newRow("C6/5") << "C6-5 114x229.obl" << EnvelopeTemplate{114, 229, 11, 9};
        QTest::newRow("C5") << "C5 162x229.obl" << EnvelopeTemplate{162, 229, 11, 9};
        QTest::newRow("C4") << "C4 229x324.obl" << EnvelopeTemplate{229, 324, 11, 9};
        QTest::newRow("B6") << "B6 125x176.obl" << EnvelopeTemplate{125, 176, 11, 9};
    }
    void shippedTemplates()
    {
        QFETCH(QString, name);
        QFETCH(EnvelopeTemplate, t);
        TempProgramFolder folder;
        const QStringList installed = folder.installShippedTemplates();
        QVERIFY(installed.contains(name));
        QCOMPARE(folder.read("data/" + name).size(), 16);
        QCOMPARE(ReadTemplateFile(path(folder, "data/" + name)), t);
        QVERIFY(t.WidthMm < t.HeightMm); // the shorter side goes across the page
        QVERIFY(ListTemplates(folder.file("data")).contains(name));
    }
};

QTEST_GUILESS_MAIN(TemplateTest)
#include "test_template.moc"
