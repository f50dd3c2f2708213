// A program folder on a read-only file system and on one that is full. The
// test runs in a mount namespace of its own, so what it mounts goes with it;
// where mounting is not allowed the cases are skipped and say so.
#include "support/FaultKit.h"
#include "ui/settings/Tosobne.h"
#include "core/print/PrinterShift.h"
#include "ui/slips/TApoukazka.h"
#include "ui/printing/Tzarovnanie.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QtTest>
#include <sched.h>
#include <sys/mount.h>

using namespace faults;

static bool ownMounts = false;

// Mounts `what` on `folder` (a tmpfs of `size`, or `folder` itself read-only).
static QString mountOn(const QString& folder, const char* size)
{
    if (!ownMounts)
        return QStringLiteral("no mount namespace of our own (not root?)");
    const QByteArray at = QFile::encodeName(folder);
    if (size) {
        const QByteArray options = QByteArray("size=") + size + ",mode=0755";
        if (::mount("tmpfs", at.constData(), "tmpfs", 0, options.constData()) != 0)
            return QStringLiteral("tmpfs cannot be mounted: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return {};
    }
    if (::mount(at.constData(), at.constData(), nullptr, MS_BIND, nullptr) != 0
        || ::mount(nullptr, at.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return QStringLiteral("no read-only bind mount: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    return {};
}

class MountedFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void readOnlyFolderIsReportedAndKept()
    {
        TempProgramFolder folder;
        writeSoundFolder(folder);
        // The binary goes in before the folder turns read-only.
        QVERIFY(::link(ZELVANA_BINARY, QFile::encodeName(folder.file("zelvana")).constData()) == 0
                || QFile::copy(ZELVANA_BINARY, folder.file("zelvana")));
        if (const QString why = mountOn(folder.path(), nullptr); !why.isEmpty())
            QSKIP(qPrintable(why));
        const Snapshot before = snapshot(folder.path());
        QVERIFY(::access(QFile::encodeName(folder.file("probe")).constData(), F_OK) != 0);
        QCOMPARE(::open(QFile::encodeName(folder.file("probe")).constData(), O_WRONLY | O_CREAT, 0644), -1);
        QCOMPARE(errno, EROFS); // root cannot write here either

        {
            Program p;
            AppState app(folder.path(), p.platform);
            RegisterDocumentWindows(app);
            TForm1 launcher(app);
            // The records open for writing: refused, reported, and the launcher opens.
            QCOMPARE(p.platform.messages, QStringList{"File access denied"});
            QCOMPARE(app.OpenFormCount, 0);
            // Saving the alignment says it is not saved.
            launcher.Image1Click();
            auto* slip = qobject_cast<TApoukazka*>(openDocumentWindows().value(0));
            QVERIFY(slip);
            p.platform.messages.clear();
            p.platform.onDialog = [](QDialog& d) { static_cast<Tzarovnanie&>(d).akceptovat->click(); };
            slip->Zarovnanietlaiarne1->trigger();
            QCOMPARE(p.platform.messages,
                     QStringList{Tzarovnanie::NotSavedMessage.arg(folder.file(ShiftFileName))});
            deleteDocumentWindows();
        }
        {
            // The real program, which would mount nothing: the link is already there.
            RealProgram program(folder.path());
            QVERIFY(program.started());
            const QString notIdle = program.waitUntilIdle();
            program.stop();
            QVERIFY2(notIdle.isEmpty(), qPrintable(notIdle));
        }
        QCOMPARE(changedNames(before, snapshot(folder.path())), QStringList{});
        ::umount2(QFile::encodeName(folder.path()).constData(), MNT_DETACH);
    }

    void fullDiskKeepsWhatWasSaved()
    {
        TempProgramFolder folder;
        if (const QString why = mountOn(folder.path(), "64k"); !why.isEmpty())
            QSKIP(qPrintable(why));
        writeSoundFolder(folder);
        // Fill what is left, a page at a time, until the disk refuses.
        {
            const int fd = ::open(QFile::encodeName(folder.file("filler")).constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            const QByteArray page(4096, 'x');
            for (int size = 4096; size > 0; size /= 2)
                while (::write(fd, page.constData(), size_t(size)) == size) {
                }
            ::close(fd);
        }
        QVERIFY(QFileInfo(folder.file("filler")).size() > 0);
        const Snapshot before = snapshot(folder.path());

        Program p;
        AppState app(folder.path(), p.platform);
        RegisterDocumentWindows(app);
        TForm1 launcher(app);
        QCOMPARE(p.platform.messages, QStringList{}); // reading needs no room
        QCOMPARE(app.OpenFormCount, 2);
        // The records are written in place, so they still save.
        QVERIFY(app.guarded([&] {
            app.records.SaveSettings();
            app.records.SavePersonalData();
        }));
        // The bank list and the alignment are written aside and renamed: on
        // a full disk that is refused and reported.
        p.platform.onDialog = [](QDialog& d) { static_cast<Tosobne&>(d).BitBtn1->click(); };
        launcher.Osobnnastavenia1Click();
        TApoukazka* slip = nullptr;
        for (DocumentWindow* w : openDocumentWindows())
            if (auto* s = qobject_cast<TApoukazka*>(w))
                slip = s;
        QVERIFY(slip);
        p.platform.onDialog = [](QDialog& d) {
            if (auto* dialog = qobject_cast<Tzarovnanie*>(&d))
                dialog->akceptovat->click();
        };
        slip->Zarovnanietlaiarne1->trigger();
        QCOMPARE(p.platform.messages,
                 (QStringList{"Cannot create file " + folder.file("banky.cbx"),
                              Tzarovnanie::NotSavedMessage.arg(folder.file(ShiftFileName))}));
        deleteDocumentWindows();
        const QStringList changed = changedNames(before, snapshot(folder.path()));
        // Neither is replaced by what did not reach the disk.
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(" | ")));
        app.records.closeFiles();
        ::umount2(QFile::encodeName(folder.path()).constData(), MNT_DETACH);
    }
};

int main(int argc, char** argv)
{
    // Mounts made here stay in this process's own namespace.
    ownMounts = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QApplication application(argc, argv);
    MountedFoldersTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_mounted_folders.moc"
