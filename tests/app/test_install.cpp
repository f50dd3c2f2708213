// `cmake --install` into a temporary prefix gives a complete program: the
// executable, the desktop entry (valid) and icons, and the shipped files. The
// installed program, started as a user would start it, keeps that user's
// files in a folder of the user's own and writes nothing into the prefix.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The shipped files a first start links into the user's folder.
const char* const ShippedLinks[] = {"pomoc.hlp", "data/subor1.tip", "data/oprograme.jpg", "data/bic.txt"};

// Every entry below `root` with its size and time: what a write would change.
QStringList snapshot(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(QDir(root).relativeFilePath(info.filePath()))
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// Starts the installed program with `environment` until `untilThere` exist.
// Runs the program until every file of `untilThere` has its size (-1: any),
// since a file may be seen before the program has finished writing it.
bool runUntil(const QString& program, const QProcessEnvironment& environment, const QString& workDir,
              const QList<std::pair<QString, qint64>>& untilThere)
{
    QProcess zelvana;
    zelvana.setProcessEnvironment(environment);
    zelvana.setWorkingDirectory(workDir);
    zelvana.start(program, {});
    if (!zelvana.waitForStarted(10000))
        return false;
    QElapsedTimer waited;
    waited.start();
    auto allThere = [&] {
        return std::all_of(untilThere.begin(), untilThere.end(), [](const auto& f) {
            const QFileInfo there(f.first);
            return there.exists() && (f.second < 0 || there.size() == f.second);
        });
    };
    while (!allThere() && waited.elapsed() < 20000 && zelvana.state() == QProcess::Running)
        QTest::qWait(50);
    zelvana.kill();
    zelvana.waitForFinished(5000);
    return allThere();
}

// What a first start leaves in a user's folder.
QList<std::pair<QString, qint64>> firstStartFiles(const QString& folder)
{
    QList<std::pair<QString, qint64>> files{{folder + QStringLiteral("uziv.nas"), 3584},
                                            {folder + QStringLiteral("program.nas"), 1308}};
    for (const char* name : ShippedLinks)
        files.append({folder + QString::fromLatin1(name), -1});
    return files;
}

QProcessEnvironment userEnvironment(const QString& home)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0")); // it is killed, not ended
    return env;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
    QTemporaryDir prefixDir;
    QString prefix;

private slots:
    void initTestCase()
    {
        QVERIFY(prefixDir.isValid());
        prefix = prefixDir.path() + QLatin1Char('/');
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ZELVANA_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(ZELVANA_BUILD_FOLDER), QStringLiteral("--prefix"),
                       prefixDir.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void installedCopyIsComplete()
    {
        const QFileInfo program(prefix + QStringLiteral("bin/zelvana"));
        QVERIFY(program.isFile() && program.isExecutable());
        QVERIFY(QFileInfo(prefix + QStringLiteral("share/applications/zelvana.desktop")).isFile());
        for (int side : {48, 128, 256}) {
            const QImage icon(prefix + QStringLiteral("share/icons/hicolor/%1x%1/apps/zelvana.png").arg(side));
            QCOMPARE(icon.size(), QSize(side, side));
        }
        const QString shipped = prefix + QStringLiteral("share/zelvana/");
        for (const char* name : {"pomoc.hlp", "data/subor1.tip", "data/oprograme.jpg", "data/pomoc/spustac.png",
                                 "data/pomoc/zarovnanie.png", "formulare/clensky-prispevok.json",
                                 "formulare/clensky-prispevok.png"})
            QVERIFY2(QFileInfo(shipped + QString::fromLatin1(name)).size() > 0, name);
        // The whole data folder of the build, nothing left out.
        QCOMPARE(snapshot(shipped + QStringLiteral("data")).size(),
                 snapshot(QStringLiteral(ZELVANA_BUILD_FOLDER "/data")).size());
        // Only the programs go to bin/, no build tool.
        QCOMPARE(QDir(prefix + QStringLiteral("bin")).entryList(QDir::Files),
                 (QStringList{QStringLiteral("zelvana"), QStringLiteral("zelvana-batch")}));
    }

    void desktopEntryIsValid()
    {
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(QStringLiteral("desktop-file-validate"),
                       {prefix + QStringLiteral("share/applications/zelvana.desktop")});
        QVERIFY2(validate.waitForStarted(10000), "desktop-file-validate is missing (package desktop-file-utils)");
        QVERIFY(validate.waitForFinished(30000));
        const QByteArray said = validate.readAll();
        QVERIFY2(validate.exitCode() == 0 && said.isEmpty(), said.constData());
    }

    void installedProgramKeepsEachUsersFilesInTheirFolder()
    {
        QTemporaryDir eva, jan, work;
        const QStringList before = snapshot(prefix);

        // One user with XDG_DATA_HOME set, one with the default.
        QProcessEnvironment evaEnv = userEnvironment(eva.path());
        evaEnv.insert(QStringLiteral("XDG_DATA_HOME"), eva.path() + QStringLiteral("/data"));
        const QString evaFolder = eva.path() + QStringLiteral("/data/Zelvana/");
        QVERIFY(runUntil(prefix + QStringLiteral("bin/zelvana"), evaEnv, work.path(), firstStartFiles(evaFolder)));
        const QString janFolder = jan.path() + QStringLiteral("/.local/share/Zelvana/");
        QVERIFY(runUntil(prefix + QStringLiteral("bin/zelvana"), userEnvironment(jan.path()), work.path(),
                         firstStartFiles(janFolder)));

        QCOMPARE(snapshot(prefix), before); // nothing written into the installation
        QVERIFY(QDir(work.path()).isEmpty());
        for (const QString& folder : {evaFolder, janFolder}) {
            QCOMPARE(QFileInfo(folder + QStringLiteral("uziv.nas")).size(), 3584);
            QCOMPARE(QFileInfo(folder + QStringLiteral("program.nas")).size(), 1308);
            const QFile::Permissions access = QFile(folder).permissions();
            QVERIFY(access & QFile::WriteOwner);
            QCOMPARE(access & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions()); // the user's only
            // The shipped files the program reads are in reach, as the installation has them.
            for (const char* name : ShippedLinks) {
                const QFileInfo there(folder + QString::fromLatin1(name));
                QVERIFY2(there.isSymLink(), name);
                QCOMPARE(there.symLinkTarget(), prefix + QStringLiteral("share/zelvana/") + QString::fromLatin1(name));
            }
            // The example form is the user's to change: a copy, not a link.
            const QFileInfo form(folder + QStringLiteral("formulare/clensky-prispevok.json"));
            QVERIFY(form.isFile() && !form.isSymLink());
            QCOMPARE(form.size(), QFileInfo(prefix + QStringLiteral("share/zelvana/formulare/clensky-prispevok.json")).size());
        }
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "test_install.moc"
