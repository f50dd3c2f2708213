// The two record files: byte layouts, round trips that keep every byte we do
// not own, short files, a full disk and files we may not write.
#include "core/base/FileError.h"
#include "core/records/RecordStore.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

static QByteArray patterned(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 37 + seed) & 0xFF);
    return bytes;
}

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void newSettingsFileLayout()
    {
        TempProgramFolder folder;
        RecordStore store(folder.path());
        store.LoadOrCreateSettings();
        const QByteArray bytes = folder.read("program.nas");
        QCOMPARE(bytes.size(), 1308);
        for (int i = 0; i <= 20; ++i)
            QCOMPARE(int(bytes[i]), 0);
        QCOMPARE(int(bytes[21]), 1);
        QCOMPARE(bytes[22], ' ');
        QCOMPARE(int(bytes[1045]), 0); // empty PrintFontName
        QCOMPARE(bytes.mid(1304, 4), QByteArray(4, '\0'));
        QCOMPARE(bytes.count('\0'), 1306); // nothing else is set
        QCOMPARE(store.settings.envelopeTemplateName(), Cp1250(" "));
        QCOMPARE(store.settings.printFontSize(), 0);
    }

    void newPersonalFileIsAllZero()
    {
        TempProgramFolder folder;
        RecordStore store(folder.path());
        store.LoadOrCreatePersonalData();
        QCOMPARE(folder.read("uziv.nas"), QByteArray(3584, '\0'));
        for (int i = 0; i < PersonalData::FieldCount; ++i)
            QVERIFY(store.personal.get(Personal(i)).empty());
    }

    void filesAreBesideTheProgramWhateverTheWorkingDirectory()
    {
        TempProgramFolder folder, elsewhere;
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        RecordStore store(folder.path());
        store.LoadOrCreatePersonalData();
        store.LoadOrCreateSettings();
        QDir::setCurrent(before);
        QVERIFY(folder.exists("program.nas"));
        QVERIFY(folder.exists("uziv.nas"));
        QVERIFY(!elsewhere.exists("program.nas"));
        QVERIFY(!elsewhere.exists("uziv.nas"));
    }

    void settingsSaveKeepsReservedPaddingAndTrailingBytes()
    {
        TempProgramFolder folder;
        QByteArray original = patterned(1308 + 100, 5);
        original[0] = 2; // a flag byte of 2 reads as true
        original[7] = 0;
        original[21] = 3; // template name "..." of 3 characters, slot tail kept
        folder.write("program.nas", original);

        RecordStore store(folder.path());
        store.LoadOrCreateSettings();
        QVERIFY(store.settings.flag(Flag::AddName));
        QVERIFY(!store.settings.flag(Flag::AllowMultipleForms));
        QCOMPARE(store.settings.envelopeTemplateName(), Cp1250(original.mid(22, 3).constData(), 3));

        store.settings.setFlag(Flag::AllowMultipleForms, true);
        store.settings.setPrintFontSize(-7);
        store.SaveSettings();

        QByteArray expected = original;
        expected[7] = 1;
        expected.replace(1304, 4, QByteArray("\xF9\xFF\xFF\xFF", 4));
        QCOMPARE(folder.read("program.nas"), expected);
    }

    void personalSaveKeepsSlotTailsAndTrailingBytes()
    {
        TempProgramFolder folder;
        QByteArray original = patterned(3584 + 33, 11);
        for (int slot = 0; slot < 14; ++slot)
            original[slot * 256] = 10; // every field 10 characters, tails of junk
        folder.write("uziv.nas", original);

        RecordStore store(folder.path());
        store.LoadOrCreatePersonalData();
        store.personal.set(Personal::mesto, "Nitra");
        store.SavePersonalData();

        QByteArray expected = original;
        expected[5 * 256] = 5;
        expected.replace(5 * 256 + 1, 5, "Nitra");
        QCOMPARE(folder.read("uziv.nas"), expected);
    }

    void fieldsAreCutTo255Characters()
    {
        ProgramSettings settings;
        settings.setEnvelopeTemplateName(Cp1250(255, 'x'));
        QCOMPARE(settings.envelopeTemplateName().size(), std::size_t(255));
        settings.setEnvelopeTemplateName(Cp1250(300, 'y'));
        QCOMPARE(settings.envelopeTemplateName(), Cp1250(255, 'y'));
        QCOMPARE(settings.data()[ProgramSettings::ReservedOffset], 0); // no spill into the reserved block
        PersonalData personal;
        personal.set(Personal::meno, Cp1250(256, 'z'));
        QCOMPARE(personal.get(Personal::meno), Cp1250(255, 'z'));
        QVERIFY(personal.get(Personal::priezvisko).empty());
    }

    void slovakLettersRoundTrip()
    {
        const QString letters = QStringLiteral("áäčďéíĺľňóôŕšťúýžÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ");
        bool ok = false;
        const Cp1250 bytes = toCp1250(letters, &ok);
        QVERIFY(ok);
        QCOMPARE(bytes.size(), std::size_t(letters.size())); // one byte each
        QCOMPARE(fromCp1250(bytes), letters);

        TempProgramFolder folder;
        {
            RecordStore store(folder.path());
            store.LoadOrCreatePersonalData();
            store.personal.set(Personal::ulica, bytes);
            store.SavePersonalData();
            store.closeFiles();
        }
        RecordStore again(folder.path());
        again.LoadOrCreatePersonalData();
        QCOMPARE(fromCp1250(again.personal.get(Personal::ulica)), letters);
        QCOMPARE(uchar(folder.read("uziv.nas")[1024 + 1]), uchar(0xE1)); // á in code page 1250
    }

    void textOutsideTheCodePageIsDetected()
    {
        QVERIFY(!fitsCp1250(QStringLiteral("Žilina ☺"))); // € is in 1250, ☺ is not
        QVERIFY(fitsCp1250(QStringLiteral("€ Žilina")));
    }

    void shortFileStaysOpenAndIsBackedUpBeforeTheFirstSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("program.nas of 1307 bytes") << "program.nas" << 1307;
        QTest::newRow("empty program.nas") << "program.nas" << 0;
        QTest::newRow("uziv.nas of 100 bytes") << "uziv.nas" << 100;
    }
    void shortFileStaysOpenAndIsBackedUpBeforeTheFirstSave()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const bool isSettings = name == "program.nas";
        TempProgramFolder folder;
        const QByteArray content = patterned(size, 1);
        folder.write(name, content);
        RecordStore store(folder.path());
        store.settings.setPrintFontSize(3); // what memory held before the load
        store.personal.set(Personal::meno, "Pred");
        auto load = [&] { isSettings ? store.LoadOrCreateSettings() : store.LoadOrCreatePersonalData(); };
        auto save = [&] { isSettings ? store.SaveSettings() : store.SavePersonalData(); };

        QCOMPARE(errorOf(load), QString("Read beyond end of file"));
        QCOMPARE(folder.read(name), content); // nothing on disk changed
        QVERIFY(!folder.exists(name + ".bak"));
        QCOMPARE(store.settings.printFontSize(), 3);
        QCOMPARE(store.personal.get(Personal::meno), Cp1250("Pred"));
        QVERIFY(isSettings ? store.settingsOpen() : store.personalOpen());

        // The first save keeps the bytes that could not be read beside the file.
        store.settings.setPrintFontSize(-7);
        store.personal.set(Personal::mesto, "Nitra");
        save();
        const QByteArray record = isSettings ? QByteArray(reinterpret_cast<const char*>(store.settings.data()), 1308)
                                             : QByteArray(reinterpret_cast<const char*>(store.personal.data()), 3584);
        QVERIFY(folder.exists(name + ".bak"));
        QCOMPARE(folder.read(name + ".bak"), content);
        QCOMPARE(folder.read(name), record);

        // Later saves only write the record.
        save();
        QCOMPARE(folder.read(name + ".bak"), content);
        QVERIFY(!folder.exists(name + ".bak2"));
        store.closeFiles();

        RecordStore again(folder.path());
        isSettings ? again.LoadOrCreateSettings() : again.LoadOrCreatePersonalData();
        if (isSettings)
            QCOMPARE(again.settings.printFontSize(), -7);
        else
            QCOMPARE(again.personal.get(Personal::mesto), Cp1250("Nitra"));
    }

    void backupNeverReplacesAnEarlierOne()
    {
        TempProgramFolder folder, elsewhere;
        const QByteArray content = patterned(100, 3);
        folder.write("uziv.nas", content);
        folder.write("uziv.nas.bak", "an older backup");
        QVERIFY(QFile::link(elsewhere.file("gone"), folder.file("uziv.nas.bak2")));
        RecordStore store(folder.path());
        QCOMPARE(errorOf([&] { store.LoadOrCreatePersonalData(); }), QString("Read beyond end of file"));
        store.SavePersonalData();
        QCOMPARE(folder.read("uziv.nas.bak"), QByteArray("an older backup"));
        QVERIFY(QFileInfo(folder.file("uziv.nas.bak2")).isSymLink());
        QVERIFY(!elsewhere.exists("gone")); // a link of that name is not followed
        QCOMPARE(folder.read("uziv.nas.bak3"), content);
        QCOMPARE(folder.read("uziv.nas"), QByteArray(3584, '\0'));
    }

    void backupThatCannotBeWrittenStopsTheSave()
    {
        TempProgramFolder folder;
        const QByteArray content = patterned(300, 4);
        folder.write("uziv.nas", content);
        RecordStore store(folder.path());
        QCOMPARE(errorOf([&] { store.LoadOrCreatePersonalData(); }), QString("Read beyond end of file"));
        store.personal.set(Personal::meno, "Jana");
        QString error;
        {
            FileSizeLimit full(100);
            QVERIFY(full.active());
            error = errorOf([&] { store.SavePersonalData(); });
        }
        QCOMPARE(error, QString("Disk full"));
        QCOMPARE(folder.read("uziv.nas"), content); // the original is untouched
        QVERIFY(!folder.exists("uziv.nas.bak"));    // and no torn backup is left
        // With room on the disk the same save goes through.
        store.SavePersonalData();
        QCOMPARE(folder.read("uziv.nas.bak"), content);
        QCOMPARE(folder.read("uziv.nas").size(), 3584);
    }

    void firstStartOnAFullDiskLeavesNoStub_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("program.nas") << "program.nas" << 1308;
        QTest::newRow("uziv.nas") << "uziv.nas" << 3584;
    }
    void firstStartOnAFullDiskLeavesNoStub()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const bool isSettings = name == "program.nas";
        TempProgramFolder folder;
        RecordStore store(folder.path());
        auto load = [&] { isSettings ? store.LoadOrCreateSettings() : store.LoadOrCreatePersonalData(); };
        QString error;
        {
            FileSizeLimit full(512);
            QVERIFY(full.active());
            error = errorOf(load);
        }
        QVERIFY2(!folder.exists(name), qPrintable(QStringLiteral("a stub of %1 bytes is left").arg(folder.read(name).size())));
        QCOMPARE(error, QString("Disk full"));
        QVERIFY(!(isSettings ? store.settingsOpen() : store.personalOpen()));
        // The next start finds no file and creates it whole.
        load();
        QCOMPARE(folder.read(name).size(), size);
    }

    void saveOnAFullDiskIsReportedAndTheFileKept()
    {
        TempProgramFolder folder;
        RecordStore store(folder.path());
        store.LoadOrCreateSettings();
        store.settings.setPrintFontSize(12);
        QString error;
        {
            FileSizeLimit full(512);
            QVERIFY(full.active());
            error = errorOf([&] { store.SaveSettings(); });
        }
        QCOMPARE(error, QString("Disk full"));
        QCOMPARE(folder.read("program.nas").size(), 1308); // never removed: we did not create it now
        QVERIFY(store.settingsOpen());
        store.SaveSettings();
        QCOMPARE(folder.read("program.nas").mid(1304, 4), QByteArray("\x0C\0\0\0", 4));
    }

    void folderOfThatNameIsNeverReplaced()
    {
        TempProgramFolder folder;
        QDir().mkpath(folder.file("program.nas"));
        RecordStore store(folder.path());
        QVERIFY_THROWS_EXCEPTION(FileError, store.LoadOrCreateSettings());
        QVERIFY(QFileInfo(folder.file("program.nas")).isDir());
    }

    void danglingLinkIsNotRecreated()
    {
        TempProgramFolder folder;
        QVERIFY(QFile::link(folder.file("gone/uziv.nas"), folder.file("uziv.nas")));
        RecordStore store(folder.path());
        try {
            store.LoadOrCreatePersonalData();
            QFAIL("must not load");
        } catch (const FileError& e) {
            QCOMPARE(QString(e.what()), QString("File not found"));
        }
        QVERIFY(!QFileInfo::exists(folder.file("gone/uziv.nas")));
    }

    void readOnlyFileIsReportedAndLeftAlone()
    {
        // Root may write anything, so the open runs in a child that has given
        // up root when we have it.
        TempProgramFolder folder;
        const QByteArray content = patterned(1308, 9);
        folder.write("program.nas", content);
        ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
        ::chmod(QFile::encodeName(folder.file("program.nas")).constData(), 0444);
        const pid_t pid = fork();
        if (pid == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(3);
            RecordStore store(folder.path());
            try {
                store.LoadOrCreateSettings();
                _exit(1);
            } catch (const FileError& e) {
                _exit(QString(e.what()) == "File access denied" ? 0 : 2);
            }
        }
        int status = -1;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(folder.read("program.nas"), content);
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
