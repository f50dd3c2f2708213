// The Debian package cpack makes of the build: its control fields and files,
// the programs run from it unpacked (the batch reads the user's own folder, as
// the installed program keeps it), and lintian, appstreamcli and
// desktop-file-validate find no fault in it.
#include "support/Fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

Run run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
        int timeout = 120000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QDir::tempPath());
    p.start(program, args);
    Run r;
    if (!p.waitForStarted(10000)) {
        r.err = program + QStringLiteral(": ") + p.errorString();
        return r;
    }
    if (!p.waitForFinished(timeout)) {
        p.kill();
        p.waitForFinished();
        r.err = program + QStringLiteral(": timed out");
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Every entry below `root`: what a write into the installation would change.
QStringList entries(const QString& root)
{
    QStringList all;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        all << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    all.sort();
    return all;
}

} // namespace

class PackageTest : public QObject {
    Q_OBJECT
    inline static const QString StrayTemplate = QStringLiteral("Moja obálka.obl");
    QTemporaryDir work;
    QString deb, root;

    QProcessEnvironment userEnvironment(const QString& home) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home); // private to the user, as Qt wants it
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QString batch() const { return root + QStringLiteral("/usr/bin/zelvana-batch"); }

private slots:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        // A template the user made running the program from the build folder.
        QFile stray(QStringLiteral(ZELVANA_BUILD_FOLDER "/data/") + StrayTemplate);
        QVERIFY(!stray.exists());
        QVERIFY(stray.open(QIODevice::WriteOnly) && stray.write(QByteArray(16, '\x01')) == 16);
        stray.close();
        const auto removeStray = qScopeGuard([&] { stray.remove(); });
        // Packed into a folder of its own, so `make deb`'s package stays as it is.
        const Run pack = run(QStringLiteral(ZELVANA_CPACK),
                             {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                              QStringLiteral(ZELVANA_BUILD_FOLDER "/CPackConfig.cmake"), QStringLiteral("-B"), work.path()},
                             QProcessEnvironment::systemEnvironment(), 280000);
        QVERIFY2(pack.code == 0, qPrintable(pack.out + pack.err));
        const QStringList made = QDir(work.path()).entryList({QStringLiteral("zelvana_*.deb")}, QDir::Files);
        QCOMPARE(made.size(), 1);
        deb = work.filePath(made.first());
        root = work.filePath(QStringLiteral("root"));
        const Run unpack = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root});
        QVERIFY2(unpack.code == 0, qPrintable(unpack.err));
    }

    void controlFields()
    {
        const QString arch = run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
        QCOMPARE(QFileInfo(deb).fileName(), QStringLiteral("zelvana_" ZELVANA_VERSION "_%1.deb").arg(arch));
        const Run fields = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb});
        QCOMPARE(fields.code, 0);
        for (const char* line : {"Package: zelvana\n", "Version: " ZELVANA_VERSION "\n", "Section: utils\n",
                                 "Priority: optional\n", "Maintainer: ", "Description: fill in and print Slovak"})
            QVERIFY2(fields.out.contains(QString::fromUtf8(line)), qPrintable(fields.out));
        // dpkg-shlibdeps found the libraries the programs link.
        const QString depends = QRegularExpression(QStringLiteral("^Depends: (.*)$"), QRegularExpression::MultilineOption)
                                    .match(fields.out).captured(1);
        for (const char* library : {"libqt6core6", "libqt6widgets6", "libqt6printsupport6", "libcups2", "libcsv3", "libc6", "libqt6sql6-sqlite",
                                    "fonts-liberation"})
            QVERIFY2(depends.contains(QString::fromLatin1(library)), qPrintable(depends));
    }

    void filesAreWhereDebianWantsThem()
    {
        for (const char* name : {"usr/bin/zelvana", "usr/bin/zelvana-batch"})
            QVERIFY2(QFileInfo(root + '/' + name).isExecutable(), name);
        QCOMPARE(QDir(root + QStringLiteral("/usr/bin")).entryList(QDir::Files).size(), 2);
        for (const char* name : {"usr/share/zelvana/pomoc.hlp", "usr/share/zelvana/data/subor1.tip",
                                 "usr/share/zelvana/data/oprograme.jpg", "usr/share/applications/zelvana.desktop",
                                 "usr/share/zelvana/formulare/clensky-prispevok.json",
                                 "usr/share/icons/hicolor/256x256/apps/zelvana.png", "usr/share/doc/zelvana/copyright",
                                 "usr/share/metainfo/" ZELVANA_APPSTREAM_ID ".metainfo.xml"})
            QVERIFY2(QFileInfo(root + '/' + name).size() > 0, name);
        for (const char* name : {"usr/share/man/man1/zelvana.1.gz", "usr/share/man/man1/zelvana-batch.1.gz",
                                 "usr/share/man/sk/man1/zelvana.1.gz", "usr/share/man/sk/man1/zelvana-batch.1.gz",
                                 "usr/share/doc/zelvana/changelog.gz"}) {
            QFile gz(root + '/' + name);
            QVERIFY2(gz.open(QIODevice::ReadOnly), name);
            QCOMPARE(gz.read(2), QByteArray("\x1f\x8b"));
        }
        // The Slovak pages read as man shows them, in Slovak.
        for (const char* page : {"zelvana.1.gz", "zelvana-batch.1.gz"}) {
            const Run shown = run(QStringLiteral("man"), {QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l"), root + "/usr/share/man/sk/man1/" + page},
                                  QProcessEnvironment::systemEnvironment());
            QVERIFY2(shown.code == 0 && shown.out.contains(QStringLiteral("POUŽITIE")), qPrintable(shown.out + shown.err));
        }
    }

    // What the build writes, no more: the templates data/envelopes.txt lists,
    // each as built, and none the program folder gathered.
    void dataIsWhatTheBuildShips()
    {
        QFile list(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data/envelopes.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList listed;
        for (const QString& line : QString::fromUtf8(list.readAll()).split('\n'))
            if (!line.startsWith('#') && line.contains('|'))
                listed << line.section('|', 0, 0).trimmed() + QStringLiteral(".obl");
        const QString data = root + QStringLiteral("/usr/share/zelvana/data/");
        QStringList packed = QDir(data).entryList({QStringLiteral("*.obl")}, QDir::Files);
        listed.sort();
        packed.sort();
        QVERIFY(!listed.isEmpty());
        QCOMPARE(packed, listed); // and so not the stray one
        for (const QString& name : packed)
            QCOMPARE(QFileInfo(data + name).size(), 16);
    }

    void batchHelpFromThePackage()
    {
        QTemporaryDir home;
        const Run help = run(batch(), {QStringLiteral("--help")}, userEnvironment(home.path()));
        QVERIFY2(help.code == 0, qPrintable(help.err));
        QVERIFY2(help.out.contains(QStringLiteral("Použitie: zelvana-batch --form A|C|D|obalka")), qPrintable(help.out));
    }

    // The records the user saved in the program are the ones the batch prints
    // from; it puts nothing into the installation and writes no record.
    void batchPrintsFromTheUsersFolder()
    {
        QTemporaryDir home;
        const QString user = home.path() + QStringLiteral("/data/Zelvana/");
        QVERIFY(QDir().mkpath(user));
        const QByteArray settings = settingsBytes({Flag::AddName, Flag::SlipAOwnerIsSender});
        const QByteArray personal = personalBytes(Owner);
        for (const auto& [name, bytes] : {std::pair{"program.nas", settings}, std::pair{"uziv.nas", personal}}) {
            QFile f(user + QString::fromLatin1(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        QFile table(home.filePath(QStringLiteral("platba.csv")));
        QVERIFY(table.open(QIODevice::WriteOnly) && table.write("suma;hal\r\n12;5\r\n") > 0);
        table.close();
        const QStringList installed = entries(root);

        const QString pdf = home.filePath(QStringLiteral("platba.pdf"));
        const Run print = run(batch(), {"--form", "A", "--input", table.fileName(), "--output", pdf}, userEnvironment(home.path()));
        QVERIFY2(print.code == 0, qPrintable(print.err));
        const Run info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(QRegularExpression(QStringLiteral("^Pages: +1$"), QRegularExpression::MultilineOption).match(info.out).hasMatch(),
                 qPrintable(info.out + info.err));
        const Run text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.out.contains(QStringLiteral("Košický")), qPrintable(text.out));

        QCOMPARE(entries(root), installed);
        QFile kept(user + QStringLiteral("uziv.nas"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), personal);
        // The folder made ready as the program makes it: the help a link to the package's.
        QCOMPARE(QFileInfo(user + QStringLiteral("pomoc.hlp")).symLinkTarget(), root + QStringLiteral("/usr/share/zelvana/pomoc.hlp"));

        // A damaged record of the user's is named with its place, nothing printed.
        kept.close();
        QVERIFY(QFile::resize(user + QStringLiteral("uziv.nas"), 100));
        const QString second = home.filePath(QStringLiteral("druha.pdf"));
        const Run refused = run(batch(), {"--form", "A", "--input", table.fileName(), "--output", second}, userEnvironment(home.path()));
        QCOMPARE(refused.code, 2);
        QVERIFY2(refused.err.contains(user + QStringLiteral("uziv.nas")), qPrintable(refused.err));
        QVERIFY(!QFileInfo::exists(second));
    }

    void lintianFindsNoError()
    {
        const Run lintian = run(QStringLiteral("lintian"), {QStringLiteral("--tag-display-limit"), QStringLiteral("0"), deb},
                                QProcessEnvironment::systemEnvironment(), 280000);
        QVERIFY2(lintian.code >= 0, qPrintable(lintian.err));
        const QStringList errors = lintian.out.split('\n').filter(QRegularExpression(QStringLiteral("^E: ")));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QVERIFY2(!lintian.err.contains(QStringLiteral("E: ")), qPrintable(lintian.err));
    }

    void metadataValidates()
    {
        const Run appstream = run(QStringLiteral("appstreamcli"),
                                  {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                   root + QStringLiteral("/usr/share/metainfo/" ZELVANA_APPSTREAM_ID ".metainfo.xml")});
        QVERIFY2(appstream.code == 0, qPrintable(appstream.out + appstream.err));
        const Run desktop = run(QStringLiteral("desktop-file-validate"), {root + QStringLiteral("/usr/share/applications/zelvana.desktop")});
        QVERIFY2(desktop.code == 0 && desktop.out.isEmpty(), qPrintable(desktop.out + desktop.err));
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "test_package.moc"
