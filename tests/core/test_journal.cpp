// The print journal: its file and schema, what it keeps and finds, the table
// it exports, and every fault that must leave the user's data whole.
#include "core/batch/Table.h"
#include "core/journal/Journal.h"
#include "core/journal/SearchKey.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QtTest>
#include <array>
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

JournalPage page(int number, const QList<std::pair<QString, QString>>& fields, const QString& payload = {})
{
    return {number, fields, payload};
}

// Three jobs: two pages of slip A, a payment page from a table to a PDF, a user form that failed.
QList<JournalJob> sampleJobs()
{
    JournalJob a{.time = utc(1, 10), .form = JournalForm::of(FormKind::SlipA), .targetName = "HP LaserJet"};
    a.pages = {page(1, {{"meno", "Ján Novák"}, {"mesto", "Košice"}, {"suma", "50%"}}),
               page(2, {{"meno", "Eva Malá"}, {"mesto", "Kosice"}, {"suma", ""}})};
    JournalJob p{.time = utc(2, 15), .form = JournalForm::of(FormKind::Payment), .target = JobTarget::Pdf,
                 .targetName = "/tmp/platby.pdf", .source = JobSource::Table, .sourceFile = "platby.csv"};
    p.pages = {page(1, {{"meno", "Peter Šťastný"}, {"mesto", "Bratislava"}}, "0004A00006Z0")};
    JournalJob u{.time = utc(3, 1), .form = JournalForm::user("Môj formulár", "riadok 1\nriadok 2"), .targetName = "HP"};
    u.outcome = JobOutcome::Failed;
    u.message = "Tlačiareň neodpovedá.";
    u.pages = {page(1, {{"meno", "Zoltán"}, {"poznamka", "a_b; \"c\"\nd"}})};
    return {a, p, u};
}

std::unique_ptr<Journal> opened(const QString& folder, QString* message = nullptr)
{
    JournalOpen o = Journal::open(folder, std::chrono::milliseconds(300));
    if (message)
        *message = o.message;
    else if (!o.message.isEmpty())
        qWarning() << o.message;
    return std::move(o.journal);
}

QList<qint64> recordAll(Journal& journal, const QList<JournalJob>& jobs)
{
    QList<qint64> ids;
    for (const JournalJob& job : jobs) {
        QString why;
        const std::optional<qint64> id = journal.record(job, why);
        if (!id)
            qWarning() << why;
        ids << id.value_or(-1);
    }
    return ids;
}

QString idsOf(const QList<JobSummary>& jobs)
{
    QStringList out;
    for (const JobSummary& s : jobs)
        out << QString::number(s.id);
    return out.join(' ');
}

quint32 headerWord(const QByteArray& file, int offset)
{
    return qFromBigEndian<quint32>(file.constData() + offset);
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
    void freshFileSchemaAndMode()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        QVERIFY(journal);
        QCOMPARE(journal->path(), folder.file("historia.sqlite"));
        recordAll(*journal, sampleJobs());
        journal.reset(); // the last connection folds the log into the file
        QCOMPARE(modeOf(folder.file("historia.sqlite")), mode_t(0600));
        const QByteArray bytes = folder.read("historia.sqlite");
        QVERIFY(bytes.startsWith("SQLite format 3"));
        QCOMPARE(headerWord(bytes, 60), quint32(JournalSchemaVersion)); // user_version
        QCOMPARE(int(bytes[18]), 2); // WAL
        for (const char* table : {"CREATE TABLE jobs", "CREATE TABLE pages", "CREATE TABLE page_fields"})
            QVERIFY2(bytes.contains(table), table);
        QVERIFY(bytes.contains("search_key TEXT NOT NULL"));
    }

    void emptyFileIsMigratedAndKeepsItsMode()
    {
        TempProgramFolder folder;
        folder.write("historia.sqlite", {});
        ::chmod(QFile::encodeName(folder.file("historia.sqlite")).constData(), 0640);
        auto journal = opened(folder.path());
        QVERIFY(journal);
        QCOMPARE(recordAll(*journal, sampleJobs().mid(0, 1)).value(0), qint64(1));
        journal.reset();
        QCOMPARE(headerWord(folder.read("historia.sqlite"), 60), quint32(1));
        QCOMPARE(modeOf(folder.file("historia.sqlite")), mode_t(0640)); // never widened nor narrowed
    }

    void newerVersionIsRefusedAndLeftAlone()
    {
        TempProgramFolder folder;
        recordAll(*opened(folder.path()), sampleJobs());
        QByteArray bytes = folder.read("historia.sqlite");
        qToBigEndian<quint32>(2, bytes.data() + 60);
        folder.write("historia.sqlite", bytes);
        QString message;
        QVERIFY(!opened(folder.path(), &message));
        QCOMPARE(message, JournalNewerMessage.arg(folder.file("historia.sqlite")).arg(2).arg(1));
        QCOMPARE(folder.read("historia.sqlite"), bytes);
        QVERIFY(setAsideFiles(folder.path()).isEmpty());
    }

    void jobsAndPagesReadBack()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        auto second = opened(folder.path()); // a batch thread has its own
        QVERIFY(journal && second);
        const QList<JournalJob> jobs = sampleJobs();
        const QList<qint64> ids = recordAll(*second, jobs);
        QString why;
        QCOMPARE(idsOf(journal->jobs({}, why)), QString("%1 %2 %3").arg(ids[2]).arg(ids[1]).arg(ids[0]));
        for (qsizetype i = 0; i < jobs.size(); ++i) {
            QCOMPARE(journal->pages(ids[i], why), jobs[i].pages);
            const std::optional<JobSummary> s = journal->job(ids[i], why);
            QVERIFY(s);
            QCOMPARE(s->time, jobs[i].time);
            QCOMPARE(s->form, jobs[i].form);
            QCOMPARE(s->form.kind(), (std::array<std::optional<FormKind>, 3>{FormKind::SlipA, FormKind::Payment, {}}[i]));
            QCOMPARE(std::tuple(s->target, s->targetName, s->source, s->sourceFile, s->outcome, s->message),
                     std::tuple(jobs[i].target, jobs[i].targetName, jobs[i].source, jobs[i].sourceFile,
                                jobs[i].outcome, jobs[i].message));
            QCOMPARE(qsizetype(s->pageCount), jobs[i].pages.size());
        }
        QVERIFY(journal->pages(ids[1], why)[0].payload == "0004A00006Z0");
        QVERIFY(journal->pages(ids[0], why)[0].payload.isNull());
        QVERIFY(why.isEmpty());
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
        QTest::newRow("nothing") << words("Žilina") << "";
        QTest::newRow("slip A") << JobFilter{.form = JournalForm::of(FormKind::SlipA)} << "1";
        QTest::newRow("user form") << JobFilter{.form = JournalForm::user("Môj formulár")} << "3";
        QTest::newRow("user form's name, built-in") << JobFilter{.form = JournalForm{.name = "Môj formulár"}} << "";
        QTest::newRow("from") << JobFilter{.from = utc(2, 1)} << "3 2";
        QTest::newRow("to, included") << JobFilter{.to = utc(2, 15)} << "2 1";
        QTest::newRow("between") << JobFilter{.from = utc(2, 1), .to = utc(2, 28)} << "2";
        QTest::newRow("form and words") << JobFilter{.search = "kosice", .form = JournalForm::of(FormKind::Payment)} << "";
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

    void removeAndClear()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        const QList<qint64> ids = recordAll(*journal, sampleJobs());
        QString why;
        QVERIFY(journal->remove({ids[0], ids[2]}, why));
        QCOMPARE(idsOf(journal->jobs({}, why)), QString::number(ids[1]));
        QVERIFY(journal->pages(ids[0], why).isEmpty());
        QVERIFY(journal->clear(why));
        QVERIFY(journal->jobs({}, why).isEmpty());
        journal.reset();
        QVERIFY(!folder.read("historia.sqlite").contains("Bratislava")); // deleted texts are overwritten
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
            QCOMPARE(reader.forEachRow([&](const TableRow& r) {
                rows << r.cells;
                return true;
            }),
                     QString());
            QList<JournalPage> pages;
            for (qsizetype i = 0; i < jobs.size(); ++i)
                if (!only || ids[i] == *only)
                    pages << jobs[i].pages;
            QCOMPARE(rows.size(), pages.size() + 1);
            const QStringList header = rows[0];
            QCOMPARE(header, only ? QStringList({"meno", "mesto"}) : QStringList({"meno", "mesto", "suma", "poznamka"}));
            for (qsizetype r = 0; r < pages.size(); ++r)
                for (qsizetype c = 0; c < header.size(); ++c)
                    QCOMPARE(rows[r + 1].value(c), pages[r].text(header[c]));
        }
        const QByteArray before = folder.read("historia.sqlite");
        QCOMPARE(journal->exportCsv(folder.file("historia.sqlite")),
                 JournalExportMessage.arg(folder.file("historia.sqlite"), JournalExportOverJournal));
        QCOMPARE(folder.read("historia.sqlite"), before);
        QString why;
        QCOMPARE(journal->jobs({}, why).size(), 3);
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
        QList<JournalJob> many;
        for (int i = 0; i < 20; ++i)
            many << sampleJobs();
        recordAll(*opened(folder.path()), many);
        QByteArray bytes = damage == "truncated" ? folder.read("historia.sqlite").left(3 * 4096)
                                                 : QByteArray("meno;mesto\r\nJán;Košice\r\n").repeated(200);
        if (damage == "zeroed pages")
            bytes = folder.read("historia.sqlite").replace(4096, 8192, QByteArray(8192, '\0'));
        folder.write("historia.sqlite", bytes);
        const QString now = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        if (damage == "with its log")
            folder.write("historia.sqlite-wal", "not a log either");
        if (damage == "name taken")
            folder.write("historia-poskodena-" + now + ".sqlite", "the user's own");
        QString message;
        auto journal = opened(folder.path(), &message);
        QVERIFY(journal);
        QStringList aside = setAsideFiles(folder.path());
        if (damage == "name taken") {
            QVERIFY(aside.removeOne("historia-poskodena-" + now + ".sqlite"));
            QCOMPARE(folder.read("historia-poskodena-" + now + ".sqlite"), QByteArray("the user's own"));
        }
        QCOMPARE(aside.size(), 1);
        QCOMPARE(folder.read(aside[0]), bytes);
        QCOMPARE(message, JournalSetAsideMessage.arg(folder.file(aside[0]), folder.file("historia.sqlite")));
        if (damage == "with its log")
            QCOMPARE(folder.read(aside[0] + "-wal"), QByteArray("not a log either"));
        QString why;
        QVERIFY(journal->jobs({}, why).isEmpty());
        QCOMPARE(recordAll(*journal, sampleJobs()).size(), 3);
        QCOMPARE(journal->jobs({}, why).size(), 3);
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
        if (::geteuid() == 0) {
            // Root writes through any mode; a read-only mount of our own stops it.
            if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || ::mount(at.constData(), at.constData(), nullptr, MS_BIND, nullptr) != 0
                || ::mount(nullptr, at.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                QSKIP("no read-only mount of our own");
        } else {
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        }
        QString message;
        const bool opens = opened(folder.path(), &message) != nullptr;
        if (::geteuid() == 0)
            ::umount2(at.constData(), MNT_DETACH);
        else
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
        QString why;
        {
            FileSizeLimit limit(QFileInfo(folder.file("historia.sqlite-wal")).size() + 8192);
            QVERIFY(limit.active());
            QVERIFY(!journal->record(big, why));
        }
        QVERIFY2(why.startsWith(JournalRecordMessage.arg(journal->path(), "").chopped(1)) && why.contains("disk"),
                 qPrintable(why));
        QString none;
        QCOMPARE(journal->jobs({}, none).size(), 3);
        QVERIFY(journal->record(big, none));
        journal.reset();
        QString message;
        QVERIFY(opened(folder.path(), &message));
        QCOMPARE(message, QString());
    }

    void lockHeldElsewhereRecordsNothing()
    {
        TempProgramFolder folder;
        auto journal = opened(folder.path());
        int ready[2], release[2];
        QVERIFY(::pipe(ready) == 0 && ::pipe(release) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(release[1]);
            // Another program in the middle of its write: the log's write lock (byte 120 of -shm).
            const int fd = ::open(QFile::encodeName(folder.file("historia.sqlite-shm")).constData(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = 120;
            lock.l_len = 1;
            const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            char c;
            (void)!::read(release[0], &c, 1);
            ::_exit(0);
        }
        ::close(release[0]);
        char ok = 0;
        QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
        QString why;
        const bool recorded = journal->record(sampleJobs()[0], why).has_value();
        ::close(release[1]);
        ::waitpid(child, nullptr, 0);
        QCOMPARE(ok, 'y');
        QVERIFY(!recorded);
        QCOMPARE(why, JournalRecordMessage.arg(journal->path(), JournalBusyMessage.arg(1)));
        QVERIFY(journal->jobs({}, why).isEmpty());
        QVERIFY(journal->record(sampleJobs()[0], why));
    }

    void searchKeyFolding()
    {
        QCOMPARE(SearchKey("Ľudovít Štúr, ÔSMY ŕ Ä"), QString("ludovit stur, osmy r a"));
        QVERIFY(ForgivingContains("Poukážka", "poukazka") && ForgivingContains("Poukážka", "POUKÁŽKA"));
        QVERIFY(!ForgivingContains("Poukazka", "poukážka"));
    }
};

QTEST_GUILESS_MAIN(JournalTest)
#include "test_journal.moc"
