// An installed copy and its per-user folder: when a copy counts as
// installed, where each user's folder is, and what a start puts into it:
// links to what the program only reads, so a newer installation reaches the
// user (also where an earlier version left an unchanged copy); copies of what
// the user may change; never a user's own file replaced.
#include "core/base/UserFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// An installation under a temporary prefix with the kinds of file it ships.
struct Installation {
    QTemporaryDir root;
    QString prefix() const { return root.path() + QStringLiteral("/prefix/"); }
    QString shipped() const { return prefix() + QStringLiteral("share/zelvana/"); }
    QString user() const { return root.path() + QStringLiteral("/home/.local/share/Zelvana/"); }

    Installation()
    {
        QDir().mkpath(prefix() + QStringLiteral("bin"));
        put(shipped() + QStringLiteral("pomoc.hlp"), "<h1>Pomoc</h1>");
        put(shipped() + QStringLiteral("data/subor1.tip"), "tips 1");
        put(shipped() + QStringLiteral("data/oprograme.jpg"), "picture");
        put(shipped() + QStringLiteral("data/pomoc/spustac.png"), "help picture");
        put(shipped() + QStringLiteral("data/bic.txt"), "0200;SUBASKBX;Banka\n");
        put(shipped() + QStringLiteral("data/16x22.obl"), QByteArray(16, '\x01'));
    }
};

bool isLinkTo(const QString& path, const QString& target)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.symLinkTarget() == QFileInfo(target).absoluteFilePath();
}

} // namespace

class UserFolderTest : public QObject {
    Q_OBJECT
private slots:
    void installedCopyIsRecognised()
    {
        Installation i;
        QCOMPARE(InstalledShareFolder(i.prefix() + QStringLiteral("bin/")), std::optional<QString>(i.shipped()));
    }

    void programFolderIsNoInstalledCopy()
    {
        Installation i;
        // A build or copied folder holds its files itself, even beside a share/ folder.
        QDir().mkpath(i.prefix() + QStringLiteral("build"));
        QCOMPARE(InstalledShareFolder(i.prefix() + QStringLiteral("build/")), std::nullopt);
        QTemporaryDir bare;
        QDir().mkpath(bare.path() + QStringLiteral("/bin"));
        QCOMPARE(InstalledShareFolder(bare.path() + QStringLiteral("/bin/")), std::nullopt);
    }

    void userFolderFromTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("folder");
        QTest::newRow("XDG_DATA_HOME") << QByteArray("/data/eva") << QByteArray("/home/eva") << "/data/eva/Zelvana/";
        QTest::newRow("with separator") << QByteArray("/data/eva/") << QByteArray("/home/eva") << "/data/eva/Zelvana/";
        QTest::newRow("HOME") << QByteArray() << QByteArray("/home/eva") << "/home/eva/.local/share/Zelvana/";
        QTest::newRow("relative XDG_DATA_HOME is ignored")
            << QByteArray("data") << QByteArray("/home/eva") << "/home/eva/.local/share/Zelvana/";
        QTest::newRow("letters") << QByteArray() << QByteArray("/home/ľuboš") << "/home/ľuboš/.local/share/Zelvana/";
        QTest::newRow("XDG_DATA_HOME not UTF-8")
            << QByteArray("/data/j\xe1n") << QByteArray("/home/jan") << "/home/jan/.local/share/Zelvana/";
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QString();
        QTest::newRow("relative HOME") << QByteArray() << QByteArray("home") << QString();
        QTest::newRow("HOME not UTF-8") << QByteArray() << QByteArray("/home/j\xe1n") << QString();
    }
    void userFolderFromTheEnvironment()
    {
        QFETCH(QByteArray, xdg);
        QFETCH(QByteArray, home);
        QFETCH(QString, folder);
        const std::optional<QString> got = UserFolderFor(xdg, home);
        QCOMPARE(got.value_or(QString()), folder);
    }

    void firstStartLinksWhatIsOnlyReadAndCopiesTheRest()
    {
        Installation i;
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(i.user()).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700)); // personal data: its user's only
        for (const char* name :
             {"pomoc.hlp", "data/subor1.tip", "data/oprograme.jpg", "data/pomoc/spustac.png", "data/bic.txt"})
            QVERIFY2(isLinkTo(i.user() + QString::fromLatin1(name), i.shipped() + QString::fromLatin1(name)), name);
        const QFileInfo copy(i.user() + QStringLiteral("data/16x22.obl"));
        QVERIFY(copy.isFile() && !copy.isSymLink());
        QCOMPARE(contentOf(copy.filePath()), QByteArray(16, '\x01'));
        QVERIFY(QFileInfo(i.user() + QStringLiteral("data")).isDir());
    }

    void newerInstallationReachesTheUser()
    {
        Installation i;
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        put(i.shipped() + QStringLiteral("data/subor1.tip"), "tips 2");
        put(i.shipped() + QStringLiteral("pomoc.hlp"), "<h1>Pomoc 2</h1>");
        put(i.shipped() + QStringLiteral("data/c5.obl"), QByteArray(16, '\x02'));
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        QCOMPARE(contentOf(i.user() + QStringLiteral("data/subor1.tip")), QByteArray("tips 2"));
        QCOMPARE(contentOf(i.user() + QStringLiteral("pomoc.hlp")), QByteArray("<h1>Pomoc 2</h1>"));
        QCOMPARE(contentOf(i.user() + QStringLiteral("data/c5.obl")), QByteArray(16, '\x02')); // a new template
    }

    void usersOwnFilesStay()
    {
        Installation i;
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        // The user's own tips in place of the link, a template changed, the records.
        QVERIFY(QFile::remove(i.user() + QStringLiteral("data/subor1.tip")));
        put(i.user() + QStringLiteral("data/subor1.tip"), "my tips");
        put(i.user() + QStringLiteral("data/16x22.obl"), QByteArray(16, '\x07'));
        put(i.user() + QStringLiteral("uziv.nas"), "mine");
        put(i.shipped() + QStringLiteral("data/16x22.obl"), QByteArray(16, '\x03'));
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        QCOMPARE(contentOf(i.user() + QStringLiteral("data/subor1.tip")), QByteArray("my tips"));
        QCOMPARE(contentOf(i.user() + QStringLiteral("data/16x22.obl")), QByteArray(16, '\x07'));
        QCOMPARE(contentOf(i.user() + QStringLiteral("uziv.nas")), QByteArray("mine"));
    }

    void templateTheUserOverwritesLeavesTheInstallationAlone()
    {
        Installation i;
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        // What the template wizard does with a name that exists.
        put(i.user() + QStringLiteral("data/16x22.obl"), QByteArray(16, '\x09'));
        QCOMPARE(contentOf(i.shipped() + QStringLiteral("data/16x22.obl")), QByteArray(16, '\x01'));
    }

    void anEarlierVersionsUnchangedCopyBecomesTheLink()
    {
        const QString name = QStringLiteral("data/bic.txt");
        for (const QByteArray& there : {QByteArray("0200;SUBASKBX;Banka\n"), QByteArray("mine\n"), QByteArray()}) {
            Installation i;
            put(i.user() + name, there);
            QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
            // Only a copy as shipped gives way; one the user changed stays.
            QCOMPARE(isLinkTo(i.user() + name, i.shipped() + name), there == contentOf(i.shipped() + name));
            QCOMPARE(contentOf(i.user() + name), there);
            QCOMPARE(QDir(i.user() + QStringLiteral("data")).entryList({QStringLiteral("bic*")}), QStringList{"bic.txt"});
        }
    }

    void linkOfAnEarlierInstallationIsPointedHere()
    {
        Installation i;
        QDir().mkpath(i.user());
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/share/zelvana/pomoc.hlp"), i.user() + QStringLiteral("pomoc.hlp")));
        QCOMPARE(PrepareUserFolder(i.shipped(), i.user()), QString());
        QVERIFY(isLinkTo(i.user() + QStringLiteral("pomoc.hlp"), i.shipped() + QStringLiteral("pomoc.hlp")));
        QCOMPARE(contentOf(i.user() + QStringLiteral("pomoc.hlp")), QByteArray("<h1>Pomoc</h1>"));
    }

    void folderThatCannotBeMadeIsReported()
    {
        Installation i;
        put(i.root.path() + QStringLiteral("/file"), "a file, not a folder");
        const QString user = i.root.path() + QStringLiteral("/file/Zelvana/");
        const QString problem = PrepareUserFolder(i.shipped(), user);
        QVERIFY2(problem.contains(user), qPrintable(problem));
        QVERIFY2(problem.contains(QStringLiteral("Invalid filename")), qPrintable(problem));
    }

    void fileThatCannotBePutInPlaceIsReported()
    {
        Installation i;
        // A file where the data folder belongs: nothing can go below it.
        put(i.user() + QStringLiteral("data"), "in the way");
        const QString problem = PrepareUserFolder(i.shipped(), i.user());
        QVERIFY2(problem.contains(i.user() + QStringLiteral("data/")), qPrintable(problem));
        // What could be put in place is there all the same.
        QVERIFY(isLinkTo(i.user() + QStringLiteral("pomoc.hlp"), i.shipped() + QStringLiteral("pomoc.hlp")));
    }
};

QTEST_GUILESS_MAIN(UserFolderTest)
#include "test_user_folder.moc"
