// A record file replaced or removed while the program runs: saves follow the
// path, not the handle opened at the start.
#include "core/base/FileError.h"
#include "core/records/RecordStore.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <cstdio>

class RecordPathsTest : public QObject {
    Q_OBJECT

    struct Files {
        TempProgramFolder folder;
        RecordStore store{folder.path()};
        bool settings = false;
        QString name() const { return settings ? "program.nas" : "uziv.nas"; }
        void load() { settings ? store.LoadOrCreateSettings() : store.LoadOrCreatePersonalData(); }
        void save() { settings ? store.SaveSettings() : store.SavePersonalData(); }
        void change(int n)
        {
            store.settings.setPrintFontSize(n);
            store.personal.set(Personal::mesto, toCp1250(QStringLiteral("Nitra %1").arg(n)));
        }
        QByteArray record() const
        {
            return settings ? QByteArray(reinterpret_cast<const char*>(store.settings.data()), ProgramSettings::Size)
                            : QByteArray(reinterpret_cast<const char*>(store.personal.data()), PersonalData::Size);
        }
        int size() const { return settings ? ProgramSettings::Size : PersonalData::Size; }
        // As `cp uziv.nas x && mv x uziv.nas` does it, with a tail after record 0.
        void replace(const QByteArray& bytes)
        {
            folder.write("x", bytes);
            QCOMPARE(std::rename(QFile::encodeName(folder.file("x")).constData(),
                                 QFile::encodeName(folder.file(name())).constData()),
                     0);
        }
    };

private slots:
    void savesFollowAReplacedFile_data()
    {
        QTest::addColumn<bool>("settings");
        QTest::newRow("program.nas") << true;
        QTest::newRow("uziv.nas") << false;
    }
    void savesFollowAReplacedFile()
    {
        QFETCH(bool, settings);
        Files f;
        f.settings = settings;
        f.load();
        const QByteArray tail("kept after record 0");
        f.replace(f.folder.read(f.name()) + tail);

        f.change(5);
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record() + tail);
        // And every save after it, too.
        f.replace(f.folder.read(f.name()));
        f.change(6);
        f.save();
        f.change(7);
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record() + tail);
        QVERIFY(!f.folder.exists(f.name() + ".bak"));
    }

    void aRemovedFileIsMadeAgain()
    {
        Files f;
        f.load();
        QVERIFY(QFile::remove(f.folder.file(f.name())));
        f.change(3);
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record());
        f.change(4);
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record());
    }

    void aShortReplacementIsBackedUpFirst()
    {
        Files f;
        f.settings = true;
        f.load();
        const QByteArray shortFile(100, 'q');
        f.replace(shortFile);
        f.change(9);
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record());
        QCOMPARE(f.folder.read(f.name() + ".bak"), shortFile);
    }

    void aFolderInItsPlaceIsReportedAndTheNextSaveTriesAgain()
    {
        Files f;
        f.load();
        QVERIFY(QFile::remove(f.folder.file(f.name())));
        QVERIFY(QDir(f.folder.path()).mkdir(f.name()));
        f.change(1);
        QVERIFY_THROWS_EXCEPTION(FileError, f.save());
        QVERIFY(QDir(f.folder.path()).rmdir(f.name()));
        f.save();
        QCOMPARE(f.folder.read(f.name()), f.record());
    }
};

QTEST_GUILESS_MAIN(RecordPathsTest)
#include "test_record_paths.moc"
