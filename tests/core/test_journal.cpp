// The print journal: its file and schema, what it keeps and finds, the table
// it exports, and every fault that must leave the user's data whole.
#include "core/batch/Table.h"
#include "core/journal/Journal.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(JobFilter)

namespace {

QDateTime utc(int month, int day)
{
    return QDateTime(QDate(2026, month, day), QTime(10, 0), Qt::UTC);
}

// Three jobs: two pages of slip A, a payment page from a table to a PDF, a user form that failed.
QList<JournalJob> sampleJobs()
{
    JournalJob a{.time = utc(1, 10), .form = JournalForm::of(FormKind::SlipA), .targetName = "HP LaserJet"};
    a.pages = {JournalPage{1, {{"meno", "Ján Novák"}, {"mesto", "Košice"}, {"suma", "50%"}}},
               JournalPage{2, {{"meno", "Eva Malá"}, {"mesto", "Kosice"}, {"suma", ""}}}};
    JournalJob p{.time = utc(2, 15), .form = JournalForm::of(FormKind::Payment), .target = JobTarget::Pdf,
                 .targetName = "/tmp/platby.pdf", .source = JobSource::Table, .sourceFile = "platby.csv"};
    p.pages = {JournalPage{1, {{"meno", "Peter Šťastný"}, {"mesto", "Bratislava"}}, "0004A00006Z0"}};
    JournalJob u{.time = utc(3, 1), .form = JournalForm::user("Môj formulár", "riadok 1\nriadok 2"),
                 .targetName = "HP", .outcome = JobOutcome::Failed, .message = "Tlačiareň neodpovedá."};
    u.pages = {JournalPage{1, {{"meno", "Zoltán"}, {"poznamka", "a_b; \"c\"\nd"}}}};
    return {a, p, u};
}

std::unique_ptr<Journal> opened(const QString& folder, QString* message = nullptr)
{
    JournalOpen o = Journal::open(folder, std::chrono::milliseconds(300));
    if (message)
        *message = o.message;
    return std::move(o.journal);
}

QList<qint64> recordAll(Journal& journal, const QList<JournalJob>& jobs)
{
    QList<qint64> ids;
    QString why;
    for (const JournalJob& job : jobs)
        ids << journal.record(job, why).value_or(-1);
    return ids;
}

QString idsOf(const QList<JobSummary>& jobs)
{
    QStringList out;
    for (const JobSummary& s : jobs)
        out << QString::number(s.id);
    return out.join(' ');
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QStringList setAsideFiles(const QString& folder)
{
    return QDir(folder).entryList({"historia-poskodena-*.sqlite"}, QDir::Files, QDir::Name);
}

} // namespace

class JournalTest : public QObject {
    Q_OBJECT
private slots:
    void fileAndSchema_data()
    {
        QTest::addColumn<int>("existingMode"); // of an empty file there before, a version 0 database; 0 for none
        QTest::newRow("new file") << 0;
        QTest::newRow("empty version 0 file") << 0640;
    }
    void fileAndSchema()
    {
        QFETCH(int, existingMode);
        TempProgramFolder folder;
        const QString path = folder.file("historia.sqlite");
        if (existingMode) {
            folder.write("historia.sqlite", {});
            ::chmod(QFile::encodeName(path).constData(), mode_t(existingMode));
        }
        auto journal = opened(folder.path());
        QVERIFY(journal);
        QCOMPARE(journal->path(), path);
        QCOMPARE(recordAll(*journal, sampleJobs()), QList<qint64>({1, 2, 3}));
        journal.reset(); // the last connection folds the log into the file
        QCOMPARE(modeOf(path), mode_t(existingMode ? existingMode : 0600)); // an existing file's mode stays
        const QByteArray bytes = folder.read("historia.sqlite");
        QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 60), quint32(JournalSchemaVersion)); // user_version
        QCOMPARE(int(bytes[18]), 2); // WAL
        for (const char* sql : {"CREATE TABLE jobs", "CREATE TABLE pages", "CREATE TABLE page_fields", "search_key"})
            QVERIFY2(bytes.contains(sql), sql);
    }

    void newerVersionIsRefusedAndLeftAlone()
    {
        TempProgramFolder folder;
        recordAll(*opened(folder.path()), sampleJobs());
        QByteArray bytes = folder.read("historia.sqlite");
        qToBigEndian<quint32>(JournalSchemaVersion + 1, bytes.data() + 60);
        folder.write("historia.sqlite", bytes);
        QString message;
        QVERIFY(!opened(folder.path(), &message));
        QCOMPARE(message, JournalNewerMessage.arg(folder.file("historia.sqlite")).arg(JournalSchemaVersion + 1).arg(JournalSchemaVersion));
        QCOMPARE(folder.read("historia.sqlite"), bytes);
        QVERIFY(setAsideFiles(folder.path()).isEmpty());
    }

    void jobsReadBackRemovedAndCleared()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path()), second = opened(folder.path()); // a batch thread has its own
        QVERIFY(journal && second);
        const QList<JournalJob> jobs = sampleJobs();
        const QList<qint64> ids = recordAll(*second, jobs);
        const std::optional<FormKind> kinds[] = {FormKind::SlipA, FormKind::Payment, std::nullopt};
        QString why;
        QCOMPARE(idsOf(journal->jobs({}, why)), QString("%1 %2 %3").arg(ids[2]).arg(ids[1]).arg(ids[0]));
        for (qsizetype i = 0; i < jobs.size(); ++i) {
            const JournalJob& j = jobs[i];
            QCOMPARE(journal->pages(ids[i], why), j.pages);
            const std::optional<JobSummary> s = journal->job(ids[i], why);
            QVERIFY(s);
            QVERIFY(s->time == j.time && s->form == j.form && s->form.kind() == kinds[i]);
            QCOMPARE(std::tuple(s->target, s->targetName, s->source, s->sourceFile, s->outcome, s->message),
                     std::tuple(j.target, j.targetName, j.source, j.sourceFile, j.outcome, j.message));
            QCOMPARE(qsizetype(s->pageCount), j.pages.size());
        }
        QVERIFY(journal->pages(ids[0], why)[0].payload.isNull());
        QVERIFY(journal->remove({ids[0], ids[2]}, why));
        QCOMPARE(idsOf(second->jobs({}, why)), QString::number(ids[1]));
        QVERIFY(journal->pages(ids[0], why).isEmpty());
        QVERIFY(journal->clear(why) && journal->jobs({}, why).isEmpty());
        QVERIFY(why.isEmpty());
        journal.reset(), second.reset();
        QVERIFY(!folder.read("historia.sqlite").contains("Bratislava")); // deleted texts are overwritten
    }

    void filters_data()
    {
        QTest::addColumn<JobFilter>("filter");
        QTest::addColumn<QString>("found"); // job numbers from 1, newest first
        auto words = [](const char* s) { return JobFilter{.search = QString::fromUtf8(s)}; };
        QTest::newRow("everything") << JobFilter{} << "3 2 1";
        QTest::newRow("without marks") << words("Kosice") << "1";
        QTest::newRow("marks, other case") << words("KOŠICE") << "1";
        QTest::newRow("a mark the text lacks") << words("Kosíce") << "";
        QTest::newRow("marks typed, plain text only") << words("Malá kôsice") << "";
        QTest::newRow("two words, two pages") << words("novak eva") << "1";
        QTest::newRow("two words") << words("stastny  BRATISLAVA") << "2";
        QTest::newRow("percent is a letter") << words("5%") << "";
        QTest::newRow("underscore is a letter") << words("a_b") << "3";
        QTest::newRow("slip A") << JobFilter{.form = JournalForm::of(FormKind::SlipA)} << "1";
        QTest::newRow("user form") << JobFilter{.form = JournalForm::user("Môj formulár")} << "3";
        QTest::newRow("user form's name, built-in") << JobFilter{.form = JournalForm{.name = "Môj formulár"}} << "";
        QTest::newRow("from") << JobFilter{.from = utc(2, 1)} << "3 2";
        QTest::newRow("to, included") << JobFilter{.to = utc(2, 15)} << "2 1";
        QTest::newRow("between") << JobFilter{.from = utc(2, 1), .to = utc(2, 28)} << "2";
        QTest::newRow("form and words") << JobFilter{.search = "kosice", .form = JournalForm::of(FormKind::Payment)}
                                        << "";
        QTest::newRow("newest") << JobFilter{.limit = 2} << "3 2";
        QTest::newRow("newest with marks") << JobFilter{.search = "Ján", .limit = 1} << "1";
    }
    void filters()
    {
        QFETCH(JobFilter, filter);
        QFETCH(QString, found);
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        QCOMPARE(recordAll(*journal, sampleJobs()), QList<qint64>({1, 2, 3}));
        QString why;
        QCOMPARE(idsOf(journal->jobs(filter, why)), found);
        QVERIFY(why.isEmpty());
    }

    void exportReadsBackAsATable()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        const QList<JournalJob> jobs = sampleJobs();
        const QList<qint64> ids = recordAll(*journal, jobs);
        for (const std::optional<qint64> only : {std::optional<qint64>(), std::optional(ids[1])}) {
            QCOMPARE(journal->exportCsv(folder.file("export.csv"), only), QString());
            TableReader reader(folder.file("export.csv"));
            QCOMPARE(reader.open(), QString());
            QList<QStringList> rows;
            QCOMPARE(reader.forEachRow([&](const TableRow& r) { return !(rows << r.cells).isEmpty(); }), QString());
            QList<JournalPage> pages;
            for (qsizetype i = 0; i < jobs.size(); ++i)
                pages << (!only || ids[i] == *only ? jobs[i].pages : QList<JournalPage>());
            QCOMPARE(rows.size(), pages.size() + 1);
            const QStringList header = rows[0];
            QCOMPARE(header.join(' '), only ? "meno mesto" : "meno mesto suma poznamka");
            for (qsizetype r = 0; r < pages.size(); ++r)
                for (qsizetype c = 0; c < header.size(); ++c)
                    QCOMPARE(rows[r + 1].value(c), pages[r].text(header[c]));
        }
        const QByteArray before = folder.read("historia.sqlite");
        const QString over = journal->exportCsv(journal->path());
        QCOMPARE(over, JournalExportMessage.arg(journal->path(), JournalExportOverJournal));
        QCOMPARE(folder.read("historia.sqlite"), before);
    }

    void damagedFileIsSetAside_data()
    {
        QTest::addColumn<QString>("damage");
        for (const char* damage : {"not a database", "truncated", "zeroed pages", "with its log", "name taken"})
            QTest::newRow(damage) << damage;
    }
    void damagedFileIsSetAside()
    {
        QFETCH(QString, damage);
        TempProgramFolder folder;
        recordAll(*opened(folder.path()), QList<JournalJob>(60, sampleJobs()[0]));
        QByteArray bytes = folder.read("historia.sqlite");
        bytes = damage == "truncated"      ? bytes.left(3 * 4096)
            : damage == "zeroed pages" ? bytes.replace(4096, 8192, QByteArray(8192, '\0'))
                                       : QByteArray("meno;mesto\r\nJán;Košice\r\n").repeated(200);
        folder.write("historia.sqlite", bytes);
        const QString now = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        if (damage == "with its log")
            folder.write("historia.sqlite-wal", "not a log either");
        if (damage == "name taken")
            folder.write("historia-poskodena-" + now + ".sqlite", "the user's own");
        QString message, why;
        auto journal = opened(folder.path(), &message);
        QVERIFY(journal);
        QStringList aside = setAsideFiles(folder.path());
        if (damage == "name taken") {
            QVERIFY(aside.removeOne("historia-poskodena-" + now + ".sqlite"));
            QCOMPARE(folder.read("historia-poskodena-" + now + ".sqlite"), QByteArray("the user's own"));
        }
        QCOMPARE(aside.size(), 1);
        QCOMPARE(folder.read(aside[0]), bytes);
        QCOMPARE(message, JournalSetAsideMessage.arg(folder.file(aside[0]), journal->path()));
        if (damage == "with its log")
            QCOMPARE(folder.read(aside[0] + "-wal"), QByteArray("not a log either"));
        QVERIFY(journal->jobs({}, why).isEmpty());
        QCOMPARE(recordAll(*journal, sampleJobs()), QList<qint64>({1, 2, 3}));
    }

    void readOnlyFolder_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("no journal yet") << false;
        QTest::newRow("a journal") << true;
    }
    void readOnlyFolder()
    {
        QFETCH(bool, existing);
        TempProgramFolder folder;
        if (existing)
            recordAll(*opened(folder.path()), sampleJobs());
        const QByteArray before = existing ? folder.read("historia.sqlite") : QByteArray();
        const QByteArray at = QFile::encodeName(folder.path());
        const bool root = ::geteuid() == 0;
        // Root writes through any mode; a read-only mount of our own stops it.
        if (root && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                     || ::mount(at.constData(), at.constData(), nullptr, MS_BIND, nullptr) != 0
                     || ::mount(nullptr, at.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0))
            QSKIP("no read-only mount of our own");
        ::chmod(at.constData(), root ? 0700 : 0500);
        QString message;
        const bool opens = opened(folder.path(), &message) != nullptr;
        root ? ::umount2(at.constData(), MNT_DETACH) : ::chmod(at.constData(), 0700);
        QVERIFY(!opens);
        QCOMPARE(message, JournalReadOnlyMessage.arg(folder.file("historia.sqlite")));
        QCOMPARE(folder.exists("historia.sqlite") ? folder.read("historia.sqlite") : QByteArray(), before);
    }

    void fullDiskRecordsNothingAndLosesNothing()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        recordAll(*journal, sampleJobs());
        JournalJob big = sampleJobs()[0];
        big.pages[0].fields.append({"poznamka", QString(300000, u'x')});
        QString why, none;
        {
            FileSizeLimit limit(QFile(folder.file("historia.sqlite-wal")).size() + 8192);
            QVERIFY(limit.active());
            QVERIFY(!journal->record(big, why));
        }
        QVERIFY2(why.startsWith(JournalRecordMessage.left(20)) && why.contains("disk"), qPrintable(why));
        QCOMPARE(journal->jobs({}, none).size(), 3);
        QVERIFY(journal->record(big, none));
        journal.reset();
        QVERIFY(opened(folder.path(), &why) && why.isEmpty());
    }

    void lockHeldElsewhereRecordsNothing()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        int ready[2], release[2];
        QVERIFY(::pipe(ready) == 0 && ::pipe(release) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            // Another program in the middle of its write holds the log's write lock, byte 120 of -shm.
            ::close(release[1]);
            const int fd = ::open(QFile::encodeName(folder.file("historia.sqlite-shm")).constData(), O_RDWR);
            struct flock lock {.l_type = F_WRLCK, .l_whence = SEEK_SET, .l_start = 120, .l_len = 1, .l_pid = 0};
            const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            (void)!::read(release[0], &lock, 1);
            ::_exit(0);
        }
        ::close(release[0]);
        char ok = 0;
        QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
        QString why;
        const bool recorded = journal->record(sampleJobs()[0], why).has_value();
        ::close(release[1]);
        ::waitpid(child, nullptr, 0);
        QVERIFY(ok == 'y' && !recorded);
        QCOMPARE(why, JournalRecordMessage.arg(journal->path(), JournalBusyMessage.arg(1)));
        QVERIFY(journal->jobs({}, why).isEmpty());
        QVERIFY(journal->record(sampleJobs()[0], why));
    }
};

QTEST_GUILESS_MAIN(JournalTest)
#include "test_journal.moc"
