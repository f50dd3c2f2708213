// The user's folder of an installed copy keeps personal data: its files are
// the user's only, and a shipped template the user deleted stays deleted.
#include "core/base/UserFolder.h"
#include "core/records/BankList.h"
#include "core/records/RecordStore.h"
#include "core/print/PrinterShift.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : mode_t(07777);
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class UserFolderRightsTest : public QObject {
    Q_OBJECT
    QTemporaryDir root;
    QString shipped() const { return root.path() + QStringLiteral("/share/zelvana/"); }

private slots:
    void initTestCase()
    {
        ::umask(022); // as most desktops start a program
        put(shipped() + QStringLiteral("pomoc.hlp"), "<h1>Pomoc</h1>");
        put(shipped() + QStringLiteral("data/16x22.obl"), QByteArray(16, '\x01'));
    }

    void anExistingOpenFolderIsMadePrivateAndItsFilesToo()
    {
        const QString user = root.path() + QStringLiteral("/open/Zelvana/");
        QVERIFY(QDir().mkpath(user));
        QCOMPARE(::chmod(QFile::encodeName(user).constData(), 0755), 0);
        QCOMPARE(modeOf(user), mode_t(0755));
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QCOMPARE(modeOf(user), mode_t(0700));

        RecordStore store(user);
        store.LoadOrCreateSettings();
        store.LoadOrCreatePersonalData();
        LoadOrCreateBankList(user + QStringLiteral("banky.cbx"));
        QVERIFY(WriteShift(user + ShiftFileName, QStringLiteral("PDF"), FormShift{1.5, -2}));
        for (const char* name : {"program.nas", "uziv.nas", "banky.cbx", "tlaciarne.ini", ".ponuknute"})
            QVERIFY2(modeOf(user + QString::fromLatin1(name)) == 0600, name);
    }

    void aDeletedTemplateStaysDeletedAndANewOneComesOnce()
    {
        const QString user = root.path() + QStringLiteral("/home/Zelvana/");
        const QString deleted = user + QStringLiteral("data/16x22.obl");
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QVERIFY(QFile::exists(deleted));
        QVERIFY(QFile::remove(deleted));
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QVERIFY(!QFile::exists(deleted));

        // A later version ships one more: it comes, once.
        put(shipped() + QStringLiteral("data/c5.obl"), QByteArray(16, '\x02'));
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QVERIFY(QFile::exists(user + QStringLiteral("data/c5.obl")));
        QVERIFY(!QFile::exists(deleted));
        QVERIFY(QFile::remove(user + QStringLiteral("data/c5.obl")));
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QVERIFY(!QFile::exists(user + QStringLiteral("data/c5.obl")));
        // The help is the program's own and always there.
        QVERIFY(QFile::remove(user + QStringLiteral("pomoc.hlp")));
        QCOMPARE(PrepareUserFolder(shipped(), user), QString());
        QVERIFY(QFileInfo(user + QStringLiteral("pomoc.hlp")).isSymLink());
    }

    void aFileInPlaceOfTheFolderIsNamedInSlovak_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("user");
        // XDG_DATA_HOME naming a file, and a file where Zelvana/ belongs.
        QTest::newRow("data home is a file") << "/xdg" << "/xdg/Zelvana/";
        QTest::newRow("Zelvana is a file") << "/data/Zelvana" << "/data/Zelvana/";
    }
    void aFileInPlaceOfTheFolderIsNamedInSlovak()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, user);
        put(root.path() + blocker, "not a folder");
        const QString problem = MakeUserFolder(root.path() + user);
        QCOMPARE(problem, UserFolderBlockedMessage.arg(root.path() + user, root.path() + blocker));
        QVERIFY(!problem.contains(QStringLiteral("Invalid")));
    }

    void aFolderTheUserMayNotWriteIsRefused()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into any folder");
        const QString user = root.path() + QStringLiteral("/locked/Zelvana/");
        QVERIFY(QDir().mkpath(user));
        QCOMPARE(::chmod(QFile::encodeName(user).constData(), 0500), 0);
        QCOMPARE(MakeUserFolder(user), UserFolderUnusableMessage.arg(user));
        ::chmod(QFile::encodeName(user).constData(), 0700);
    }

    void aUsableFolderIsMade()
    {
        const QString user = root.path() + QStringLiteral("/fresh/a/b/Zelvana/");
        QCOMPARE(MakeUserFolder(user), QString());
        QCOMPARE(modeOf(user), mode_t(0700));
    }
};

QTEST_GUILESS_MAIN(UserFolderRightsTest)
#include "test_user_folder_rights.moc"
