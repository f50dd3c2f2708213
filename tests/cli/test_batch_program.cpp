// The real zelvana-batch, copied into a temporary program folder and run as
// a process: exit statuses, help, check-only, a PDF of three pages.
#include "core/base/ProgramFolder.h"
#include "core/batch/BatchFit.h"
#include "support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

static QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

static bool IsPdf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.size() > 1000 && f.read(5) == "%PDF-";
}

class BatchProgramTest : public QObject {
    Q_OBJECT
    TempProgramFolder folder;
    QString binary;

    struct Run {
        int code;
        QString out, err;
    };
    Run run(const QStringList& args)
    {
        QProcess p;
        p.setWorkingDirectory(QDir::tempPath()); // the program folder comes from the executable, not from here
        p.start(binary, args);
        if (!p.waitForFinished(60000))
            return {-1, {}, QStringLiteral("timeout")};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        binary = folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary));
        QVERIFY(QFile::setPermissions(binary, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        folder.write("rows.csv", "suma;hal;od1\r\n12;5;Prvý\r\n34;;Druhý\r\n56;0;Tretí\r\n");
    }

    void help()
    {
        const Run r = run({"--help"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QStringLiteral("Použitie: zelvana-batch")) && r.out.contains("--outline"), qPrintable(r.out));
    }

    void badOptions()
    {
        QCOMPARE(run({}).code, 2);
        QCOMPARE(run({"--form", "B", "--input", folder.file("rows.csv"), "--check"}).code, 2);
        QCOMPARE(run({"--form", "A", "--input", folder.file("rows.csv")}).code, 2); // no output
        const Run r = run({"--form", "A", "--bogus"});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("Neznáma voľba „--bogus“")), qPrintable(r.err));
        QCOMPARE(run({"--form", "A", "--input", folder.file("rows.csv"), "--template", "x.obl", "--check"}).code, 2);
    }

    void badTableNamesLineAndColumn()
    {
        folder.write("bad.csv", "suma;od1\n1;a\n12x;b\n");
        const Run r = run({"--form", "C", "--input", folder.file("bad.csv"), "--output", folder.file("bad.pdf")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Riadok 3, stĺpec „suma“")), qPrintable(r.err));
        QVERIFY(!folder.exists("bad.pdf"));
    }

    // An envelope template with no size, or a file of data/ that is no
    // template, is a bad row, named by line and column.
    void unusableTemplateIsABadRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("0 x 0") << "nula.obl" << QStringLiteral("obálku 0 × 0 mm");
        QTest::newRow("tips file") << "subor1.tip" << QStringLiteral("príponou .obl");
    }
    void unusableTemplateIsABadRow()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        // Width, height and two font sizes, 32-bit little-endian.
        folder.write("data/nula.obl", QByteArray("\0\0\0\0\0\0\0\0\x0B\0\0\0\x09\0\0\0", 16));
        folder.write("data/subor1.tip", QByteArray("\x6E\0\0\0\xDC\0\0\0\x0B\0\0\0\x09\0\0\0", 16));
        folder.write("env.csv", ("adr;sablona\nPrijemca;" + name + "\n").toUtf8());
        const QString pdf = folder.file("env.pdf");
        const Run r = run({"--form", "obalka", "--input", folder.file("env.csv"), "--output", pdf});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Riadok 2, stĺpec „sablona“")) && r.err.contains(why), qPrintable(r.err));
        QVERIFY(!QFile::exists(pdf));
    }

    void checkOnlyWritesNothing()
    {
        const Run r = run({"--form", "A", "--input", folder.file("rows.csv"), "--output", folder.file("check.pdf"), "--check"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QStringLiteral("3 strany")), qPrintable(r.out));
        QVERIFY(!folder.exists("check.pdf"));
        // The records are read, never created.
        QVERIFY(!folder.exists("program.nas"));
        QVERIFY(!folder.exists("uziv.nas"));
    }

    void threePagesIntoOnePdf()
    {
        const QString pdf = folder.file("three.pdf");
        const Run r = run({"--form", "A", "--input", folder.file("rows.csv"), "--output", pdf, "--outline"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        const QStringList pages = out.split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[0].contains(QStringLiteral("Prvý")) && pages[0].contains("-12-"));
        QVERIFY(pages[1].contains(QStringLiteral("Druhý")) && !pages[1].contains(QStringLiteral("Prvý")));
        QVERIFY(pages[2].contains(QStringLiteral("Tretí")) && pages[2].contains("-56-"));
        QVERIFY(!folder.exists("program.nas"));
    }

    void refusedOutputIsStatusTwo()
    {
        const Run r = run({"--form", "A", "--input", folder.file("rows.csv"), "--output", folder.file("no/such/x.pdf")});
        QCOMPARE(r.code, 2);
        QVERIFY(!r.err.isEmpty());
        const Run printer = run({"--form", "A", "--input", folder.file("rows.csv"), "--printer", "NoSuchPrinter"});
        QCOMPARE(printer.code, 2);
    }

    // An output that is the program's own file, the table itself or no
    // regular file is refused before anything is written.
    void outputsThatAreRefused_data()
    {
        QTest::addColumn<QString>("output");
        QTest::newRow("personal data") << "uziv.nas";
        QTest::newRow("settings, not written yet") << "program.nas";
        QTest::newRow("bank list") << "banky.cbx";
        QTest::newRow("a link to the records") << "odkaz.pdf";
        QTest::newRow("a template") << "data/DL 110x220.obl";
        QTest::newRow("new file in data") << "data/novy.pdf";
        QTest::newRow("the input table") << "vstup.csv";
        QTest::newRow("a folder") << "data";
        QTest::newRow("a device") << "/dev/full";
    }
    void outputsThatAreRefused()
    {
        QFETCH(QString, output);
        const QByteArray records("uziv.nas as the user saved it");
        folder.write("uziv.nas", records);
        folder.write("banky.cbx", records);
        folder.write("data/DL 110x220.obl", records);
        folder.write("vstup.csv", "suma;od1\n12;a\n");
        QFile::remove(folder.file("odkaz.pdf"));
        QVERIFY(QFile::link(folder.file("uziv.nas"), folder.file("odkaz.pdf")));
        const QString path = output.startsWith('/') ? output : folder.file(output);
        const Run r = run({"--form", "A", "--input", folder.file("vstup.csv"), "--output", path});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("Do súboru „%1“ sa tlačiť nebude").arg(path)), qPrintable(r.err));
        for (const char* name : {"uziv.nas", "banky.cbx", "data/DL 110x220.obl"}) {
            QFile f(folder.file(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), records);
        }
        QVERIFY(!folder.exists("program.nas") && !folder.exists("data/novy.pdf"));
        QVERIFY(QFileInfo(folder.file("odkaz.pdf")).isSymLink());
        QCOMPARE(QDir(folder.path()).entryList({".*.??????"}, QDir::Files | QDir::Hidden), QStringList());
        QFile table(folder.file("vstup.csv"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        QCOMPARE(table.readAll(), QByteArray("suma;od1\n12;a\n"));
        for (const char* name : {"uziv.nas", "banky.cbx", "data/DL 110x220.obl", "odkaz.pdf"})
            QFile::remove(folder.file(name));
    }

    // A PDF of the user's is replaced whole through a scratch file; a link
    // to it keeps being a link.
    void anOldPdfIsReplacedOnlyBySuccess()
    {
        QTemporaryDir elsewhere;
        const QString pdf = elsewhere.filePath("stary.pdf");
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF-1.4 old") > 0);
        old.close();
        QVERIFY(QFile::link(pdf, elsewhere.filePath("odkaz.pdf")));
        const Run r = run({"--form", "A", "--input", folder.file("rows.csv"), "--output", elsewhere.filePath("odkaz.pdf")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(QFileInfo(elsewhere.filePath("odkaz.pdf")).isSymLink());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.size() > 1000 && old.read(5) == "%PDF-");
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{"odkaz.pdf", "stary.pdf"}));
    }

    // Wherever it is, a file that is no PDF or read-only, another user's link
    // in a folder anyone may write, a missing folder: refused by name, the
    // file there kept. The user's own link there is followed.
    void outputsElsewhere_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("link"); // in spolocny/, to moje/; owned by `owner`
        QTest::addColumn<int>("owner");
        QTest::addColumn<QString>("why"); // empty: printed
        QTest::newRow("another copy's records") << "Zelvana/uziv.nas" << "" << 0 << "nie je to PDF";
        QTest::newRow("a text named .pdf") << "moje/list.pdf" << "" << 0 << "nie je to PDF";
        QTest::newRow("read-only") << "moje/stary.pdf" << "" << 0 << QStringLiteral("súbor je len na čítanie");
        QTest::newRow("another user's link") << "spolocny/x.pdf" << "x.pdf:praca.pdf" << 4242 << QStringLiteral("patrí inému používateľovi");
        QTest::newRow("through another user's folder link") << "spolocny/m/praca.pdf" << "m:" << 4242 << QStringLiteral("patrí inému používateľovi");
        QTest::newRow("no folder") << "nie/je/x.pdf" << "" << 0 << QStringLiteral("„%1nie/je“ neexistuje");
        QTest::newRow("a file for a folder") << "moje/list.pdf/x.pdf" << "" << 0 << QStringLiteral("list.pdf“ nie je priečinok");
        QTest::newRow("own link, followed") << "spolocny/x.pdf" << "x.pdf:praca.pdf" << int(::geteuid()) << "";
    }
    void outputsElsewhere()
    {
        QFETCH(QString, output);
        QFETCH(QString, link);
        QFETCH(int, owner);
        QFETCH(QString, why);
        const TempProgramFolder dir;
        const QString root = dir.path();
        const QMap<QString, QByteArray> files{{"Zelvana/uziv.nas", "record"}, {"moje/list.pdf", "a list"},
                                              {"moje/stary.pdf", "%PDF-1.4 old"}, {"moje/praca.pdf", "%PDF-1.4 work"}};
        for (auto f = files.begin(); f != files.end(); ++f)
            dir.write(f.key(), f.value());
        QVERIFY(QDir(root).mkdir("spolocny") && ::chmod(QFile::encodeName(root + "spolocny").constData(), 01777) == 0);
        QVERIFY(QFile::setPermissions(root + "moje/stary.pdf", QFile::ReadOwner | QFile::ReadGroup));
        if (!link.isEmpty()) {
            const QByteArray at = QFile::encodeName(root + "spolocny/" + link.section(':', 0, 0));
            QCOMPARE(::symlink(QFile::encodeName(root + "moje/" + link.section(':', 1)).constData(), at.constData()), 0);
            if (::lchown(at.constData(), owner, owner) != 0)
                QSKIP("a link cannot be given to another user here");
        }
        const Run r = run({"--form", "A", "--input", folder.file("rows.csv"), "--output", root + output});
        const QString said = QStringLiteral("„%1“").arg(root + output);
        QVERIFY2(why.isEmpty() ? r.code == 0 : r.code == 2 && r.err.contains(said) && r.err.contains(why.replace("%1", root)),
                 qPrintable(r.err));
        QVERIFY(link.isEmpty() || QFileInfo(root + "spolocny/" + link.section(':', 0, 0)).isSymLink());
        for (auto f = files.begin(); f != files.end(); ++f)
            QVERIFY(Bytes(root + f.key()) == f.value() || (why.isEmpty() && f.key() == "moje/praca.pdf"));
        QVERIFY(why.isEmpty() == IsPdf(root + "moje/praca.pdf"));
        for (const char* sub : {"Zelvana", "moje", "spolocny"})
            QCOMPARE(QDir(root + sub).entryList({".*.??????"}, QDir::Files | QDir::Hidden), QStringList());
    }

    // A folder its disk keeps read-only, for root too, is named as such.
    void aReadOnlyDiskIsSaidSo()
    {
        if (::geteuid() != 0)
            QSKIP("only root can mount a folder read-only for one process");
        QTemporaryDir dir;
        QProcess p;
        p.start("unshare", {"-m", "/bin/sh", "-c", "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" || exit 99;"
                            "exec \"$0\" --form A --input \"$2\" --output \"$1/x.pdf\"", binary, dir.path(), folder.file("rows.csv")});
        QVERIFY(p.waitForFinished(60000));
        if (p.exitCode() == 99 || p.error() == QProcess::FailedToStart)
            QSKIP("no read-only mount can be made here");
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitCode() == 2 && err.contains(QStringLiteral("„%1“ je na disku, ktorý je len na čítanie").arg(dir.path())),
                 qPrintable(err));
    }

    // A split writes NAME-0001.pdf ... as a single output is written: the
    // name as typed, the same permissions, a read-only file refused.
    void splitFilesAsASingleOutput()
    {
        QTemporaryDir dir;
        QCOMPARE(run({"--form", "A", "--input", folder.file("rows.csv"), "--output", dir.filePath("jeden.pdf")}).code, 0);
        const QStringList split{"--form", "A", "--input", folder.file("rows.csv"), "--output", dir.filePath("a%1b.pdf"), "--split"};
        const Run r = run(split);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QStringList names{"a%1b-0001.pdf", "a%1b-0002.pdf", "a%1b-0003.pdf", "jeden.pdf"};
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names);
        for (const QString& name : names) // as many permissions as the single file, not fewer
            QVERIFY(IsPdf(dir.filePath(name)) && QFileInfo(dir.filePath(name)).permissions() == QFileInfo(dir.filePath("jeden.pdf")).permissions());
        const QString second = dir.filePath(names[1]);
        QVERIFY(QFile::setPermissions(second, QFile::ReadOwner));
        const QByteArray kept = Bytes(second);
        const Run again = run(split);
        QVERIFY2(again.code == 2 && again.err.contains(QStringLiteral("„%1“ sa nedá tlačiť: súbor je len na čítanie").arg(second)), qPrintable(again.err));
        QCOMPARE(Bytes(second), kept);
    }

    // Every page is tried first: text off the page is a bad row unless
    // forced; text over another part is printed with a warning.
    void textsOutOfPlace()
    {
        const QString longLine(400, QLatin1Char('m'));
        folder.write("fit.csv", ("suma;vakup2;nazov_uctu;od1\n"
                                 "12;123456789;" + QString("Spolok xxxx ").repeated(10) + ";Ján\n"
                                 "5;;;" + longLine + "\n").toUtf8());
        const QString pdf = folder.file("fit.pdf");
        const Run check = run({"--form", "A", "--input", folder.file("fit.csv"), "--check"});
        QCOMPARE(check.code, 1);
        QVERIFY2(check.err.contains(QStringLiteral("Upozornenie: Riadok 2, stĺpec „nazov_uctu“: text by zasiahol"))
                     && check.err.contains(QStringLiteral("Riadok 3, stĺpec „od1“: ") + OffPageProblem),
                 qPrintable(check.err));
        QCOMPARE(run({"--form", "A", "--input", folder.file("fit.csv"), "--output", pdf}).code, 1);
        QVERIFY(!QFile::exists(pdf));
        const Run forced = run({"--form", "A", "--input", folder.file("fit.csv"), "--output", pdf, "--force"});
        QVERIFY2(forced.code == 0, qPrintable(forced.err));
        QVERIFY2(forced.err.contains(QStringLiteral("Upozornenie: Riadok 3, stĺpec „od1“")), qPrintable(forced.err));
        QVERIFY(IsPdf(pdf));
        // Only the crossing row: printed, warned.
        folder.write("cross.csv", ("suma;vakup2;nazov_uctu\n12;123456789;" + QString("Spolok xxxx ").repeated(10) + "\n").toUtf8());
        const Run crossing = run({"--form", "A", "--input", folder.file("cross.csv"), "--output", pdf});
        QVERIFY2(crossing.code == 0 && crossing.err.contains(QStringLiteral("„nazov_uctu“")), qPrintable(crossing.err));
    }

    // A disk that takes no more (here a file size limit) fails the job:
    // status 2, and the old file stays as it was.
    void aWriteErrorKeepsTheOldFile()
    {
        QTemporaryDir elsewhere;
        const QString pdf = elsewhere.filePath("stary.pdf");
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF-1.4 old") > 0);
        old.close();
        QProcess p;
        p.start("/bin/sh", {"-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" --form A --input \"$1\" --output \"$2\"",
                            binary, folder.file("rows.csv"), pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("%PDF-1.4 old"));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"stary.pdf"});
    }

    void aFolderNameNotInUtf8IsSaidInWholeLines()
    {
        // A name no QString holds: made, filled and entered by its bytes.
        const std::string odd = QFile::encodeName(folder.path()).toStdString() + "\xFF";
        QCOMPARE(::mkdir(odd.c_str(), 0700), 0);
        std::filesystem::copy_file(QFile::encodeName(binary).toStdString(), odd + "/zelvana-batch");
        std::filesystem::permissions(odd + "/zelvana-batch", std::filesystem::perms::owner_all);
        QProcess p;
        p.setWorkingDirectory(folder.path());
        p.start(QStringLiteral("/bin/sh"), {"-c", "cd \"$(printf '\\377')\" && exec ./zelvana-batch --form A"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(!err.contains('\r'), err.constData()); // a bare CR would write over the first sentence
        const QString lines = QString(NoProgramFolderMessage).replace(QLatin1Char('\r'), QLatin1Char('\n')) + '\n';
        QVERIFY2(QString::fromUtf8(err).endsWith(lines), err.constData()); // after what Qt may say first
    }
};

QTEST_GUILESS_MAIN(BatchProgramTest)
#include "test_batch_program.moc"
