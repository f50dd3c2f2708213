// The real zelvana-batch over a journal it cannot write: read-only, on a full
// disk, held by another program. The print happens all the same, the user is
// told once that it was not recorded and why, and what the journal held
// stays. Two programs printing at once are both recorded, and a journal of
// the first version is searched after the upgrade.
#include "core/batch/JobJournal.h"
#include "core/forms/Forms.h"
#include "core/journal/Journal.h"
#include "support/PdfWords.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run {
    int code = -1;
    QString err;
    bool finished = false;
};

void setMode(const QString& path, mode_t mode)
{
    QVERIFY2(::chmod(QFile::encodeName(path).constData(), mode) == 0, qPrintable(path));
}

struct Batch {
    TempProgramFolder folder;
    QTemporaryDir out; // the PDFs, writable by anyone
    QString binary = folder.file("zelvana-batch");
    std::shared_ptr<void> held; // what a fault keeps open while the batch runs

    Batch()
    {
        QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary);
        folder.write("rows.csv", "suma;hal;vsymbol;od1\n1250;5;20260001;Ján Novák\n80;0;20260002;Zuzana Kováčová\n");
        setMode(out.path(), 0777);
    }
    QString pdf(const char* name) const { return out.filePath(QString::fromLatin1(name)); }
    QStringList printArgs(const char* pdfName, const char* table = "rows.csv") const
    {
        return {"--form", "A", "--input", folder.file(table), "--output", pdf(pdfName)};
    }
    void start(QProcess& p, const QStringList& args, const QString& home) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            env.insert(name, home);
        p.setProcessEnvironment(env);
        p.start(binary, args);
    }
    // As a user who is not root when the test is (root writes read-only
    // files too), or with no file written past FileLimit, as on a full disk.
    enum Child { AsIs, AsUser, Limited };
    static constexpr rlim_t FileLimit = 128 * 1024;
    Run run(const QStringList& args, Child child = AsIs) const
    {
        QProcess p;
        const bool drop = child == AsUser && ::geteuid() == 0;
        if (drop)
            p.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(99);
            });
        if (child == Limited)
            p.setChildProcessModifier([] {
                const rlimit limit{FileLimit, RLIM_INFINITY};
                if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    ::_exit(99);
            });
        // A home and runtime folder of the user's own, so Qt has nothing to say.
        QTemporaryDir home;
        if (drop && ::chown(QFile::encodeName(home.path()).constData(), 65534, 65534) != 0)
            return {};
        start(p, args, home.path());
        // Never much longer than the busy timeout.
        const bool finished = p.waitForFinished(int(JournalBusyTimeout.count()) + 30000);
        if (!finished)
            p.kill(), p.waitForFinished();
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardError()), finished};
    }
    QList<JobSummary> jobs(const QString& search = {}) const
    {
        JournalOpen opened = Journal::open(folder.path());
        QString why;
        return opened.journal ? opened.journal->jobs({search}, why) : QList<JobSummary>{};
    }
    // A connection of this test's own to the journal, running `sql` in turn.
    std::shared_ptr<QSqlQuery> connect(const QString& name, const QStringList& sql) const
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(folder.file("historia.sqlite"));
        if (!db.open())
            return nullptr;
        auto q = std::make_shared<QSqlQuery>(db);
        for (const QString& s : sql)
            if (!q->exec(s))
                return nullptr;
        return q;
    }
};

QStringList wordsOf(const QString& pdf)
{
    QStringList out;
    for (const PdfWord& w : pdfWords(pdf))
        out << w.text;
    return out;
}

} // namespace

class JournalFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void aJournalThatCannotBeWrittenNeverStopsThePrint_data()
    {
        using Step = std::function<void(Batch&)>;
        QTest::addColumn<Step>("fault");
        QTest::addColumn<int>("child");
        QTest::addColumn<QString>("message"); // %1 the journal's path
        QTest::addColumn<int>("kept");        // jobs in the journal after
        QTest::newRow("read-only file") << Step([](Batch& b) {
            setMode(b.folder.path(), 0777);
            setMode(b.folder.file("historia.sqlite"), 0444);
        }) << int(Batch::AsUser) << JournalReadOnlyMessage << 1;
        QTest::newRow("read-only folder") << Step([](Batch& b) {
            setMode(b.folder.file("historia.sqlite"), 0666);
            setMode(b.folder.path(), 0555);
        }) << int(Batch::AsUser) << JournalReadOnlyMessage << 1;
        // The log holds a big job a reader still reads, so the batch's job
        // goes after it, past what the disk takes; the small PDF fits.
        QTest::newRow("full disk") << Step([](Batch& b) {
            auto journal = std::shared_ptr<Journal>(Journal::open(b.folder.path()).journal);
            JournalJob big;
            for (int n = 1; n <= 2000; ++n)
                big.pages.append({n, {{"od1", QString("Ján Novák %1, Hlavná ulica, Košice").arg(n)}, {"suma", "100"}}, {}});
            QString why;
            QVERIFY2(journal && journal->record(big, why), qPrintable(why));
            auto reader = b.connect("held", {"BEGIN", "SELECT count(*) FROM pages"});
            QVERIFY(reader && reader->next());
            QVERIFY(QFileInfo(b.folder.file("historia.sqlite-wal")).size() > qint64(2 * Batch::FileLimit));
            b.held = std::make_shared<std::pair<std::shared_ptr<Journal>, std::shared_ptr<QSqlQuery>>>(journal, reader);
        }) << int(Batch::Limited)
           << JournalRecordMessage.arg("%1", "čítanie alebo zápis na disk zlyhal, disk je možno plný (disk I/O error)")
           << 2;
        // Another program keeps the journal to itself past the busy timeout.
        QTest::newRow("held by another program") << Step([](Batch& b) {
            QVERIFY(b.held = b.connect("held", {"BEGIN IMMEDIATE"}));
        }) << int(Batch::AsIs) << JournalOpenMessage.arg("%1", JournalBusyMessage.arg(JournalBusyTimeout.count() / 1000))
           << 1;
    }

    void aJournalThatCannotBeWrittenNeverStopsThePrint()
    {
        QFETCH(std::function<void(Batch&)>, fault);
        QFETCH(int, child);
        QFETCH(QString, message);
        QFETCH(int, kept);
        Batch b;
        const Run first = b.run(b.printArgs("first.pdf"));
        QVERIFY2(first.code == 0 && first.err.isEmpty(), qPrintable(first.err));
        fault(b);
        const Run r = b.run(b.printArgs("out.pdf"), Batch::Child(child));
        setMode(b.folder.path(), 0700);
        setMode(b.folder.file("historia.sqlite"), 0600);
        b.held.reset();
        QSqlDatabase::removeDatabase("held");
        QVERIFY2(r.finished && r.code == 0, qPrintable(r.err));
        QCOMPARE(r.err, message.arg(b.folder.file("historia.sqlite")) + '\n');
        const QStringList words = wordsOf(b.pdf("out.pdf"));
        QVERIFY2(words.contains("Novák") && words.contains("Zuzana"), qPrintable(words.join(' ')));
        const QList<JobSummary> jobs = b.jobs();
        QCOMPARE(jobs.size(), kept);
        QCOMPARE(jobs.last().targetName, b.pdf("first.pdf"));
        QCOMPARE(jobs.last().pageCount, 2);
        QCOMPARE(jobs.first().pageCount, kept == 1 ? 2 : 2000);
    }

    // A window's print is recorded as it ends, the same call the window
    // makes, again and again while zelvana-batch prints a big table.
    void aWindowAndTheBatchPrintingAtOnce()
    {
        Batch b;
        QByteArray rows = "suma;vsymbol;od1\n";
        for (int i = 0; i < 3000; ++i)
            rows += QByteArray::number(100 + i) + ';' + QByteArray::number(i) + ";Ján Novák\n";
        b.folder.write("big.csv", rows);
        QProcess batch;
        QTemporaryDir home;
        b.start(batch, b.printArgs("big.pdf", "big.csv"), home.path());
        QList<FormPage> pages(1);
        pages[0].texts.setText("od1", "Okno");
        int windowJobs = 0;
        for (; !batch.waitForFinished(50); ++windowJobs)
            QCOMPARE(RecordPrintedJob(b.folder.path(), {Form(FormKind::SlipA), pages, JobTarget::Printer, "okno"}), QString());
        QCOMPARE(batch.exitCode(), 0);
        QCOMPARE(batch.readAllStandardError(), QByteArray());
        const QList<JobSummary> jobs = b.jobs();
        QVERIFY(windowJobs > 0);
        QCOMPARE(jobs.size(), windowJobs + 1);
        QCOMPARE(int(std::count_if(jobs.begin(), jobs.end(), [](const JobSummary& j) { return j.pageCount == 3000; })), 1);
    }

    // The first version's journal is this one's without the search rows.
    void aFirstVersionJournalIsSearchedAfterTheUpgrade()
    {
        Batch b;
        QCOMPARE(b.run(b.printArgs("first.pdf")).code, 0);
        QVERIFY(b.connect("old", {"DROP TABLE job_texts", "PRAGMA user_version = 1"}));
        QSqlDatabase::removeDatabase("old");
        const Run r = b.run(b.printArgs("out.pdf"));
        QVERIFY2(r.code == 0 && r.err.isEmpty(), qPrintable(r.err));
        for (const char* word : {"Kovacova", "kováčová", "Novak 20260001"})
            QCOMPARE(b.jobs(QString::fromUtf8(word)).size(), 2);
        QCOMPARE(b.jobs("Kóvačová").size(), 0); // typed with a mark the text does not have
    }
};

QTEST_MAIN(JournalFaultsTest)
#include "test_journal_faults.moc"
