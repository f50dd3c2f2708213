#include "core/journal/Journal.h"

#include "core/base/FileError.h"
#include "core/forms/Forms.h"
#include "core/journal/JournalDatabase.h"
#include "core/journal/SearchKey.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQueryModel>
#include <QUuid>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The schema, one list of statements per step: step v takes user_version v
// to v + 1. A step is only ever added, never changed, as files in the field
// hold every version.
const QList<QStringList>& MigrationSteps()
{
    static const QList<QStringList> steps = {
        {QStringLiteral("CREATE TABLE jobs (id INTEGER PRIMARY KEY, time_utc TEXT NOT NULL, form_name TEXT NOT NULL, "
                        "form_builtin INTEGER NOT NULL CHECK (form_builtin IN (0, 1)), form_layout TEXT, "
                        "target TEXT NOT NULL CHECK (target IN ('printer', 'pdf')), target_name TEXT NOT NULL, "
                        "source TEXT NOT NULL CHECK (source IN ('window', 'table')), source_file TEXT, "
                        "outcome TEXT NOT NULL CHECK (outcome IN ('printed', 'failed')), message TEXT)"),
         QStringLiteral("CREATE INDEX jobs_by_time ON jobs (time_utc)"),
         QStringLiteral("CREATE TABLE pages (id INTEGER PRIMARY KEY, "
                        "job_id INTEGER NOT NULL REFERENCES jobs (id) ON DELETE CASCADE, number INTEGER NOT NULL, "
                        "payload TEXT, UNIQUE (job_id, number))"),
         QStringLiteral("CREATE TABLE page_fields (page_id INTEGER NOT NULL REFERENCES pages (id) ON DELETE CASCADE, "
                        "position INTEGER NOT NULL, name TEXT NOT NULL, text TEXT NOT NULL, search_key TEXT NOT NULL, "
                        "PRIMARY KEY (page_id, position))")},
        // A search reads one row a job, not every field of every page: the
        // job's keys and texts, a line each, kept beside its fields.
        {QStringLiteral("CREATE TABLE job_texts (job_id INTEGER PRIMARY KEY REFERENCES jobs (id) ON DELETE CASCADE, "
                        "keys TEXT NOT NULL, texts TEXT NOT NULL)"),
         QStringLiteral("INSERT INTO job_texts (job_id, keys, texts) SELECT p.job_id, group_concat(f.search_key, "
                        "char(10)), group_concat(f.text, char(10)) FROM pages p JOIN page_fields f ON f.page_id = p.id "
                        "GROUP BY p.job_id")},
    };
    Q_ASSERT(steps.size() == JournalSchemaVersion);
    return steps;
}

const char* const TimeFormat = "yyyy-MM-ddTHH:mm:ss.zzzZ";

QString timeText(const QDateTime& time)
{
    return time.toUTC().toString(QString::fromLatin1(TimeFormat));
}

QVariant nullable(const QString& text)
{
    return text.isNull() ? QVariant() : QVariant(text);
}

QString nonNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString errnoText(int err)
{
    return QString::fromUtf8(FileError::fromErrno(err).what());
}

// Renames without ever replacing a file at `to`.
bool renameNoReplace(const QByteArray& from, const QByteArray& to, int& err)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    err = errno;
    if (err != EINVAL && err != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: a hard link fails on an existing name too.
    if (::link(from.constData(), to.constData()) != 0) {
        err = errno;
        return false;
    }
    ::unlink(from.constData());
    return true;
}

// Moves a damaged journal, with its -wal and -shm files, to a name of its
// own beside it; the name it got, or nothing and why.
std::optional<QString> setAside(const QString& path, QString& why)
{
    const QString folder = path.left(path.size() - JournalFileName.size());
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString aside = folder + QStringLiteral("historia-poskodena-") + stamp
            + (attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString()) + QStringLiteral(".sqlite");
        if (QFile::exists(aside + QStringLiteral("-wal")) || QFile::exists(aside + QStringLiteral("-shm")))
            continue;
        int err = 0;
        if (!renameNoReplace(QFile::encodeName(path), QFile::encodeName(aside), err)) {
            if (err == EEXIST)
                continue;
            why = errnoText(err);
            return std::nullopt;
        }
        // The log belongs to the damaged file; left behind, a new journal would read it as its own.
        for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            if (!QFile::exists(path + suffix))
                continue;
            if (!renameNoReplace(QFile::encodeName(path + suffix), QFile::encodeName(aside + suffix), err)) {
                why = QStringLiteral("„%1“: %2").arg(path + suffix, errnoText(err));
                // Back together: a new, empty journal would delete a log it finds beside it.
                int ignored = 0;
                if (suffix == QLatin1String("-shm"))
                    renameNoReplace(QFile::encodeName(aside + QStringLiteral("-wal")),
                                    QFile::encodeName(path + QStringLiteral("-wal")), ignored);
                renameNoReplace(QFile::encodeName(aside), QFile::encodeName(path), ignored);
                return std::nullopt;
            }
        }
        return aside;
    }
    why = errnoText(EEXIST);
    return std::nullopt;
}

enum class Step { Ready, Damaged, Refused };

// Creates the tables up to the current version, in one transaction.
Step migrate(const Journal::Connection& c, QString& message)
{
    QString why;
    if (!c.begin(why)) {
        message = JournalOpenMessage.arg(c.path, why);
        return c.damaged ? Step::Damaged : Step::Refused;
    }
    // Read again inside the transaction: another copy may have migrated meanwhile.
    const QVariant version = c.value(QStringLiteral("PRAGMA user_version"), why);
    bool ok = version.isValid();
    const int from = version.toInt();
    if (ok && from > JournalSchemaVersion) {
        c.rollback();
        message = JournalNewerMessage.arg(c.path).arg(from).arg(JournalSchemaVersion);
        return Step::Refused;
    }
    for (int v = from; ok && v < JournalSchemaVersion; ++v)
        for (const QString& sql : MigrationSteps()[v])
            if (ok)
                ok = c.run(sql, why);
    if (ok && from != JournalSchemaVersion)
        ok = c.run(QStringLiteral("PRAGMA user_version = %1").arg(JournalSchemaVersion), why);
    if (ok)
        ok = c.commit(why);
    if (ok)
        return Step::Ready;
    c.rollback();
    message = JournalOpenMessage.arg(c.path, why);
    return c.damaged ? Step::Damaged : Step::Refused;
}

bool connect(Journal::Connection& c, QString& message)
{
    QString why;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        why = QStringLiteral("v systéme chýba ovládač SQLite pre Qt (balík libqt6sql6-sqlite)");
    else if (c.db.open() && c.run(QStringLiteral("PRAGMA busy_timeout = %1").arg(c.busyMilliseconds), why))
        return true;
    message = JournalOpenMessage.arg(c.path, why.isEmpty() ? c.reasonOf(c.db.lastError()) : why);
    return false;
}

// Looks at the file through a read-only connection, which neither writes
// the file nor folds a log beside it into it or deletes that log when it
// closes: a newer program's journal, or a damaged one, stays byte for byte.
Step checkFile(Journal::Connection& c, QString& message)
{
    if (!connect(c, message))
        return Step::Refused;
    QString why;
    const QVariant version = c.value(QStringLiteral("PRAGMA user_version"), why);
    if (!version.isValid()) {
        message = JournalOpenMessage.arg(c.path, why);
        return c.damaged ? Step::Damaged : Step::Refused;
    }
    if (version.toInt() > JournalSchemaVersion) {
        message = JournalNewerMessage.arg(c.path).arg(version.toInt()).arg(JournalSchemaVersion);
        return Step::Refused;
    }
    const QVariant check = c.value(QStringLiteral("PRAGMA quick_check"), why);
    if (!check.isValid() && !c.damaged) {
        message = JournalOpenMessage.arg(c.path, why);
        return Step::Refused;
    }
    return check.toString() == QLatin1String("ok") ? Step::Ready : Step::Damaged;
}

// Makes the checked file a journal of the current version.
Step prepareFile(Journal::Connection& c, QString& message)
{
    if (!connect(c, message))
        return Step::Refused;
    QString why;
    // Deleted texts are overwritten, not left in free pages.
    for (const char* pragma : {"PRAGMA journal_mode = WAL", "PRAGMA foreign_keys = ON", "PRAGMA secure_delete = ON"})
        if (!c.run(QString::fromLatin1(pragma), why)) {
            message = JournalOpenMessage.arg(c.path, why);
            return c.damaged ? Step::Damaged : Step::Refused;
        }
    return migrate(c, message);
}

// Makes sure the journal file exists, created as only the user may read it.
QString createFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    const int err = errno;
    if (err == EACCES || err == EPERM || err == EROFS)
        return JournalReadOnlyMessage.arg(path);
    if (err != EEXIST)
        return JournalOpenMessage.arg(path, errnoText(err));
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return JournalOpenMessage.arg(path, errnoText(errno));
    if (!S_ISREG(st.st_mode))
        return JournalOpenMessage.arg(path, QStringLiteral("nie je to obyčajný súbor"));
    // The log files go beside it, so the folder must take new files too.
    const QByteArray folder = QFile::encodeName(path.left(path.size() - JournalFileName.size()));
    if (::access(name.constData(), R_OK | W_OK) != 0 || ::access(folder.constData(), W_OK | X_OK) != 0)
        return JournalReadOnlyMessage.arg(path);
    return {};
}

QString targetName(JobTarget t)
{
    return t == JobTarget::Pdf ? QStringLiteral("pdf") : QStringLiteral("printer");
}

QString sourceName(JobSource s)
{
    return s == JobSource::Table ? QStringLiteral("table") : QStringLiteral("window");
}

QString outcomeName(JobOutcome o)
{
    return o == JobOutcome::Failed ? QStringLiteral("failed") : QStringLiteral("printed");
}

const QString SummaryColumns = QStringLiteral(
    "SELECT j.id, j.time_utc, j.form_name, j.form_builtin, j.target, j.target_name, j.source, j.source_file, "
    "j.outcome, j.message, (SELECT count(*) FROM pages p WHERE p.job_id = j.id), j.form_layout FROM jobs j");

JobSummary summaryOf(const QSqlQuery& q, bool withLayout)
{
    JobSummary s;
    s.id = q.value(0).toLongLong();
    s.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
    s.form.name = q.value(2).toString();
    s.form.builtIn = q.value(3).toInt() != 0;
    s.target = q.value(4).toString() == QLatin1String("pdf") ? JobTarget::Pdf : JobTarget::Printer;
    s.targetName = q.value(5).toString();
    s.source = q.value(6).toString() == QLatin1String("table") ? JobSource::Table : JobSource::Window;
    s.sourceFile = q.value(7).toString();
    s.outcome = q.value(8).toString() == QLatin1String("failed") ? JobOutcome::Failed : JobOutcome::Printed;
    s.message = q.value(9).toString();
    s.pageCount = q.value(10).toInt();
    if (withLayout)
        s.form.layout = q.value(11).toString();
    return s;
}

// Whether a word with marks is in the job's texts letter by letter. A key
// keeps a text's line breaks, so a job's keys and texts go line by line
// alike, and only a line whose key holds the word's can hold the word.
bool markedIn(const QString& keys, const QString& texts, const ForgivingWord& word)
{
    qsizetype k = 0, t = 0;
    while (k <= keys.size() && t <= texts.size()) {
        const qsizetype kEnd = keys.indexOf(u'\n', k), tEnd = texts.indexOf(u'\n', t);
        const qsizetype kTo = kEnd < 0 ? keys.size() : kEnd, tTo = tEnd < 0 ? texts.size() : tEnd;
        if (QStringView(keys).mid(k, kTo - k).contains(word.key()) && word.in(texts.mid(t, tTo - t)))
            return true;
        if ((kEnd < 0) != (tEnd < 0))
            break; // not line by line alike after all
        if (kEnd < 0)
            return false;
        k = kEnd + 1;
        t = tEnd + 1;
    }
    return word.in(texts);
}

// A word's key in the job's keys; a word holds no line break, so it is in one field.
const QString KeyIn = QStringLiteral("EXISTS (SELECT 1 FROM job_texts jt WHERE jt.job_id = j.id AND instr(jt.keys, ?) > 0)");

// A filter as SQL conditions on `jobs j` with their values, and the words
// with marks that must be checked letter by letter after.
struct FilterSql {
    QStringList where;
    QVariantList values;
    QStringList marked;
};

FilterSql filterSql(const JobFilter& filter)
{
    FilterSql f;
    if (filter.form) {
        f.where << QStringLiteral("j.form_name = ? AND j.form_builtin = ?");
        f.values << filter.form->name << (filter.form->builtIn ? 1 : 0);
    }
    if (filter.from.isValid()) {
        f.where << QStringLiteral("j.time_utc >= ?");
        f.values << timeText(filter.from);
    }
    if (filter.to.isValid()) {
        f.where << QStringLiteral("j.time_utc <= ?");
        f.values << timeText(filter.to);
    }
    // Every word narrows by its key; a word with marks is checked letter by letter after.
    for (const QString& word : filter.search.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const QString key = SearchKey(word);
        f.where << KeyIn;
        f.values << key;
        if (key != word.toLower())
            f.marked << word;
    }
    return f;
}

} // namespace

JournalForm JournalForm::of(FormKind kind)
{
    return {QString::fromUtf8(Form(kind).optionName), true, {}};
}

JournalForm JournalForm::user(const QString& name, const QString& layout)
{
    return {name, false, layout};
}

std::optional<FormKind> JournalForm::kind() const
{
    if (!builtIn)
        return std::nullopt;
    for (FormKind k : AllForms())
        if (name == QString::fromUtf8(Form(k).optionName))
            return k;
    return std::nullopt;
}

QString JournalPage::text(const QString& field) const
{
    for (const auto& [name, text] : fields)
        if (name == field)
            return text;
    return {};
}

int SqliteCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : -1;
}

Journal::Connection::Connection(QString journalPath, std::chrono::milliseconds busyTimeout, bool readOnly)
    : name(QUuid::createUuid().toString(QUuid::WithoutBraces)), path(std::move(journalPath)),
      busyMilliseconds(static_cast<int>(busyTimeout.count())),
      busySeconds(std::max(1, static_cast<int>(std::ceil(static_cast<double>(busyTimeout.count()) / 1000.0)))),
      db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name))
{
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyMilliseconds)
                         + (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
}

Journal::Connection::~Connection()
{
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

QString Journal::Connection::reasonOf(const QSqlError& error) const
{
    switch (SqliteCode(error)) {
    case sqlite_code::Perm:
    case sqlite_code::ReadOnly:
        return QStringLiteral("priečinok alebo súbor je len na čítanie");
    case sqlite_code::Busy:
    case sqlite_code::Locked:
        return JournalBusyMessage.arg(busySeconds);
    case sqlite_code::IoErr:
        return QStringLiteral("čítanie alebo zápis na disk zlyhal, disk je možno plný (%1)")
            .arg(error.databaseText());
    case sqlite_code::Full:
        return QStringLiteral("na disku nie je miesto");
    case sqlite_code::Corrupt:
    case sqlite_code::NotADb:
        return QStringLiteral("súbor je poškodený alebo to nie je história tlače");
    case sqlite_code::CantOpen:
        return QStringLiteral("súbor sa nedá otvoriť (%1)").arg(error.databaseText());
    default:
        break;
    }
    return QStringLiteral("chyba databázy (%1)").arg(error.text());
}

bool Journal::Connection::run(QSqlQuery& query, const QString& sql, const QVariantList& values, QString& why) const
{
    bool ok = query.prepare(sql);
    for (qsizetype i = 0; ok && i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (ok)
        ok = query.exec();
    if (!ok) {
        const int code = SqliteCode(query.lastError());
        damaged = code == sqlite_code::Corrupt || code == sqlite_code::NotADb;
        why = reasonOf(query.lastError());
    }
    return ok;
}

bool Journal::Connection::run(const QString& sql, QString& why) const
{
    QSqlQuery query(db);
    return run(query, sql, {}, why);
}

QVariant Journal::Connection::value(const QString& sql, QString& why) const
{
    QSqlQuery query(db);
    if (!run(query, sql, {}, why))
        return {};
    if (!query.next()) {
        if (query.lastError().isValid()) {
            const int code = SqliteCode(query.lastError());
            damaged = code == sqlite_code::Corrupt || code == sqlite_code::NotADb;
            why = reasonOf(query.lastError());
            return {};
        }
        return QVariant(QString());
    }
    return query.value(0);
}

bool Journal::Connection::begin(QString& why) const
{
    return run(QStringLiteral("BEGIN IMMEDIATE"), why);
}

bool Journal::Connection::commit(QString& why) const
{
    return run(QStringLiteral("COMMIT"), why);
}

void Journal::Connection::rollback() const
{
    QString ignored;
    if (db.isOpen())
        run(QStringLiteral("ROLLBACK"), ignored);
}

Journal::Journal(std::unique_ptr<Connection> connection) : d_(std::move(connection)) {}

Journal::~Journal() = default;

QString Journal::path() const
{
    return d_->path;
}

JournalOpen Journal::open(const QString& folder, std::chrono::milliseconds busyTimeout)
{
    const QString path = folder + JournalFileName;
    JournalOpen result;
    QString aside;
    // A damaged file is set aside once; should the new one fail too, that is told, not retried.
    for (int round = 0; round < 2; ++round) {
        if (QString e = createFile(path); !e.isEmpty()) {
            result.message = e;
            return result;
        }
        QString message;
        Step step = Step::Refused;
        {
            Connection probe(path, busyTimeout, true);
            step = checkFile(probe, message);
        }
        auto c = step == Step::Ready ? std::make_unique<Connection>(path, busyTimeout, false) : nullptr;
        if (c)
            step = prepareFile(*c, message);
        if (step == Step::Ready) {
            result.journal.reset(new Journal(std::move(c)));
            result.message = aside.isEmpty() ? QString() : JournalSetAsideMessage.arg(aside, path);
            return result;
        }
        c.reset(); // the file is closed before it is moved
        if (step == Step::Refused || round == 1) {
            result.message = aside.isEmpty() ? message : JournalSetAsideFailedMessage.arg(aside, message);
            return result;
        }
        QString why;
        const std::optional<QString> moved = setAside(path, why);
        if (!moved) {
            result.message = JournalStuckMessage.arg(path, why);
            return result;
        }
        aside = *moved;
    }
    return result;
}

std::optional<qint64> Journal::record(const JournalJob& job, QString& why)
{
    const Connection& c = *d_;
    QString reason;
    if (!c.begin(reason)) {
        why = JournalRecordMessage.arg(c.path, reason);
        return std::nullopt;
    }
    QSqlQuery insertJob(c.db), insertPage(c.db), insertField(c.db);
    bool ok = c.run(insertJob,
                    QStringLiteral("INSERT INTO jobs (time_utc, form_name, form_builtin, form_layout, target, "
                                   "target_name, source, source_file, outcome, message) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ?)"),
                    {timeText(job.time.isValid() ? job.time : QDateTime::currentDateTimeUtc()), nonNull(job.form.name),
                     job.form.builtIn ? 1 : 0, job.form.builtIn ? QVariant() : nullable(job.form.layout),
                     targetName(job.target), nonNull(job.targetName), sourceName(job.source),
                     job.source == JobSource::Table ? nullable(job.sourceFile) : QVariant(), outcomeName(job.outcome),
                     job.outcome == JobOutcome::Failed ? QVariant(nonNull(job.message)) : QVariant()},
                    reason);
    const qint64 id = ok ? insertJob.lastInsertId().toLongLong() : 0;
    for (qsizetype n = 0; ok && n < job.pages.size(); ++n) {
        const JournalPage& page = job.pages[n];
        ok = c.run(insertPage, QStringLiteral("INSERT INTO pages (job_id, number, payload) VALUES (?, ?, ?)"),
                   {id, page.number > 0 ? page.number : static_cast<int>(n + 1), nullable(page.payload)}, reason);
        const qint64 pageId = ok ? insertPage.lastInsertId().toLongLong() : 0;
        for (qsizetype f = 0; ok && f < page.fields.size(); ++f) {
            const auto& [name, text] = page.fields[f];
            ok = c.run(insertField,
                       QStringLiteral("INSERT INTO page_fields (page_id, position, name, text, search_key) "
                                      "VALUES (?, ?, ?, ?, ?)"),
                       {pageId, static_cast<int>(f), nonNull(name), nonNull(text), nonNull(SearchKey(text))}, reason);
        }
    }
    QStringList keys, texts;
    for (const JournalPage& page : job.pages)
        for (const auto& field : page.fields) {
            keys << SearchKey(field.second);
            texts << field.second;
        }
    if (ok && !texts.isEmpty()) {
        QSqlQuery insertTexts(c.db);
        ok = c.run(insertTexts, QStringLiteral("INSERT INTO job_texts (job_id, keys, texts) VALUES (?, ?, ?)"),
                   {id, keys.join(u'\n'), texts.join(u'\n')}, reason);
    }
    if (ok)
        ok = c.commit(reason);
    if (!ok) {
        c.rollback();
        why = JournalRecordMessage.arg(c.path, reason);
        return std::nullopt;
    }
    return id;
}

QList<JobSummary> Journal::jobs(const JobFilter& filter, QString& why) const
{
    const Connection& c = *d_;
    const FilterSql picked = filterSql(filter);
    const QStringList& where = picked.where;
    const QVariantList& values = picked.values;
    const QStringList& marked = picked.marked;
    QString sql = SummaryColumns;
    if (!marked.isEmpty()) // the job's texts, for the words with marks
        sql.replace(QStringLiteral(" FROM jobs j"),
                    QStringLiteral(", (SELECT jt.texts FROM job_texts jt WHERE jt.job_id = j.id), "
                                   "(SELECT jt.keys FROM job_texts jt WHERE jt.job_id = j.id) FROM jobs j"));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY j.time_utc DESC, j.id DESC");
    if (filter.limit > 0 && marked.isEmpty())
        sql += QStringLiteral(" LIMIT %1").arg(filter.limit);
    QSqlQuery q(c.db);
    q.setForwardOnly(true); // read once, not kept
    QString reason;
    QList<JobSummary> found;
    if (!c.run(q, sql, values, reason)) {
        why = JournalReadMessage.arg(c.path, reason);
        return {};
    }
    const std::vector<ForgivingWord> words(marked.begin(), marked.end());
    while (q.next()) {
        JobSummary s = summaryOf(q, false);
        bool matches = true;
        if (!marked.isEmpty()) {
            const QString texts = q.value(12).toString(), keys = q.value(13).toString();
            for (size_t w = 0; matches && w < words.size(); ++w)
                matches = markedIn(keys, texts, words[w]);
        }
        if (matches)
            found.append(s);
        if (filter.limit > 0 && found.size() >= filter.limit)
            break;
    }
    if (q.lastError().isValid()) {
        why = JournalReadMessage.arg(c.path, c.reasonOf(q.lastError()));
        return {};
    }
    return found;
}

std::optional<JobSummary> Journal::job(qint64 id, QString& why) const
{
    const Connection& c = *d_;
    QSqlQuery q(c.db);
    QString reason;
    if (!c.run(q, SummaryColumns + QStringLiteral(" WHERE j.id = ?"), {id}, reason)) {
        why = JournalReadMessage.arg(c.path, reason);
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return summaryOf(q, true);
}

QList<JournalPage> Journal::pages(qint64 job, QString& why) const
{
    const Connection& c = *d_;
    QSqlQuery q(c.db);
    QString reason;
    if (!c.run(q,
               QStringLiteral("SELECT p.id, p.number, p.payload, f.name, f.text FROM pages p "
                              "LEFT JOIN page_fields f ON f.page_id = p.id WHERE p.job_id = ? "
                              "ORDER BY p.number, f.position"),
               {job}, reason)) {
        why = JournalReadMessage.arg(c.path, reason);
        return {};
    }
    QList<JournalPage> pages;
    qint64 current = -1;
    while (q.next()) {
        if (q.value(0).toLongLong() != current) {
            current = q.value(0).toLongLong();
            pages.append(JournalPage{q.value(1).toInt(), {}, q.value(2).toString()});
        }
        if (!q.value(3).isNull())
            pages.last().fields.append({q.value(3).toString(), q.value(4).toString()});
    }
    if (q.lastError().isValid()) {
        why = JournalReadMessage.arg(c.path, c.reasonOf(q.lastError()));
        return {};
    }
    return pages;
}

bool Journal::remove(const QList<qint64>& jobs, QString& why)
{
    const Connection& c = *d_;
    QString reason;
    bool ok = c.begin(reason);
    QSqlQuery q(c.db);
    for (qint64 id : jobs)
        if (ok)
            ok = c.run(q, QStringLiteral("DELETE FROM jobs WHERE id = ?"), {id}, reason);
    if (ok)
        ok = c.commit(reason);
    if (!ok) {
        c.rollback();
        why = JournalRemoveMessage.arg(c.path, reason);
        return false;
    }
    // What was deleted leaves the log too; a reader still in it only delays that.
    c.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), reason);
    return true;
}

bool Journal::clear(QString& why)
{
    const Connection& c = *d_;
    QString reason;
    bool ok = c.begin(reason);
    for (const char* sql : {"DELETE FROM job_texts", "DELETE FROM page_fields", "DELETE FROM pages", "DELETE FROM jobs"})
        if (ok)
            ok = c.run(QString::fromLatin1(sql), reason);
    if (ok)
        ok = c.commit(reason);
    if (!ok) {
        c.rollback();
        why = JournalRemoveMessage.arg(c.path, reason);
        return false;
    }
    c.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), reason);
    return true;
}

namespace {

const QString FirstPage = QStringLiteral("(SELECT p1.id FROM pages p1 WHERE p1.job_id = j.id ORDER BY p1.number LIMIT 1)");

// The visible columns in JobColumn's order, then what they are made from.
const QString ModelColumns =
    QStringLiteral(
        "SELECT j.time_utc AS t, j.form_name AS form, "
        // A field naming the recipient with a text, else the page's first field.
        "(SELECT f.text FROM page_fields f WHERE f.page_id = %1 ORDER BY (f.name IN ('ad1', 'adr', 'prijemca', "
        "'nazov_uctu') AND f.text <> '') DESC, f.position LIMIT 1) AS recipient, "
        "(SELECT f.text FROM page_fields f WHERE f.page_id = %1 AND f.name = 'suma') AS suma, "
        "(SELECT f.text FROM page_fields f WHERE f.page_id = %1 AND f.name = 'vsymbol') AS vs, "
        "(SELECT count(*) FROM pages p WHERE p.job_id = j.id) AS pages, j.target_name AS target, "
        "j.outcome AS outcome, j.id AS id, "
        "(SELECT f.text FROM page_fields f WHERE f.page_id = %1 AND f.name = 'hal') AS hal, "
        "j.message AS message, j.form_builtin AS builtin FROM jobs j")
        .arg(FirstPage);
enum Extra { IdColumn = JobColumnCount, HalColumn, MessageColumn, BuiltInColumn };

class JobsModel final : public QSqlQueryModel {
public:
    JobsModel(const Journal::Connection& c, QString select, QVariantList values)
        : c_(c), select_(std::move(select)), values_(std::move(values))
    {
    }

    // Reads the first rows again in the chosen order; false and why when it cannot.
    bool load(QString& why)
    {
        static const char* const byColumn[] = {
            "t", "form", "recipient COLLATE NOCASE",
            "CAST(replace(replace(suma, ' ', ''), ',', '.') AS REAL) %1, CAST(hal AS INTEGER)", "vs",
            "pages", "target COLLATE NOCASE", "outcome"};
        const QString dir = order_ == Qt::AscendingOrder ? QStringLiteral("ASC") : QStringLiteral("DESC");
        QString order = QStringLiteral(" ORDER BY ");
        if (column_ >= 0 && column_ < JobColumnCount)
            order += QString::fromLatin1(byColumn[column_]).replace(QStringLiteral("%1"), dir) + QLatin1Char(' ') + dir
                     + QStringLiteral(", ");
        order += column_ == 0 ? QStringLiteral("t %1, id %1").arg(dir) : QStringLiteral("t DESC, id DESC");
        QSqlQuery query(c_.db);
        bool ok = query.prepare(select_ + order);
        for (qsizetype i = 0; ok && i < values_.size(); ++i)
            query.bindValue(static_cast<int>(i), values_[i]);
        if (!ok || !query.exec()) {
            why = c_.reasonOf(query.lastError());
            return false;
        }
        setQuery(std::move(query));
        return true;
    }

    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : JobColumnCount; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == JobIdRole)
            return raw(index.row(), IdColumn);
        if (role == Qt::TextAlignmentRole && (index.column() == int(JobColumn::Amount) || index.column() == int(JobColumn::Pages)))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        const QVariant value = raw(index.row(), index.column());
        switch (static_cast<JobColumn>(index.column())) {
        case JobColumn::Time:
            return QDateTime::fromString(value.toString(), Qt::ISODateWithMs)
                .toLocalTime()
                .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        case JobColumn::Form: {
            JournalForm form{value.toString(), raw(index.row(), BuiltInColumn).toInt() != 0, {}};
            const std::optional<FormKind> kind = form.kind();
            return kind ? QString::fromUtf8(Form(*kind).userName) : form.name;
        }
        case JobColumn::Recipient:
            return value.toString().section(QLatin1Char('\n'), 0, 0).trimmed();
        case JobColumn::Amount: {
            const QString hal = raw(index.row(), HalColumn).toString();
            return hal.isEmpty() ? value.toString() : value.toString() + QLatin1Char(',') + hal;
        }
        case JobColumn::Outcome:
            return value.toString() == QLatin1String("failed")
                       ? QStringLiteral("chyba: ") + raw(index.row(), MessageColumn).toString().replace(u'\n', u' ')
                       : QStringLiteral("vytlačené");
        default:
            return value;
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const names[] = {"Dátum a čas", "Formulár", "Adresát", "Suma",
                                            "VS", "Strany", "Tlačiareň alebo súbor", "Výsledok"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < JobColumnCount)
            return QString::fromUtf8(names[section]);
        return QSqlQueryModel::headerData(section, orientation, role);
    }

    void sort(int column, Qt::SortOrder order) override
    {
        column_ = column;
        order_ = order;
        QString ignored; // the rows read before stay
        load(ignored);
    }

private:
    QVariant raw(int row, int column) const { return QSqlQueryModel::data(createIndex(row, column), Qt::DisplayRole); }

    const Journal::Connection& c_;
    QString select_;
    QVariantList values_;
    int column_ = 0;
    Qt::SortOrder order_ = Qt::DescendingOrder;
};

} // namespace

std::unique_ptr<QAbstractItemModel> Journal::jobsModel(const JobFilter& filter, QString& why) const
{
    const Connection& c = *d_;
    FilterSql picked = filterSql(filter);
    QString reason;
    if (!picked.marked.isEmpty()) {
        // SQL cannot tell a letter with its mark from one without: the jobs
        // the letter by letter check keeps, by their ids.
        QString sql = QStringLiteral("SELECT j.id, jt.keys, jt.texts FROM jobs j JOIN job_texts jt ON jt.job_id = j.id");
        if (!picked.where.isEmpty())
            sql += QStringLiteral(" WHERE ") + picked.where.join(QStringLiteral(" AND "));
        QSqlQuery q(c.db);
        q.setForwardOnly(true); // read once, not kept
        if (!c.run(q, sql, picked.values, reason)) {
            why = JournalReadMessage.arg(c.path, reason);
            return nullptr;
        }
        QStringList ids;
        const std::vector<ForgivingWord> words(picked.marked.begin(), picked.marked.end());
        while (q.next()) {
            const QString keys = q.value(1).toString(), texts = q.value(2).toString();
            bool matches = true;
            for (size_t w = 0; matches && w < words.size(); ++w)
                matches = markedIn(keys, texts, words[w]);
            if (matches)
                ids << QString::number(q.value(0).toLongLong());
        }
        if (q.lastError().isValid()) {
            why = JournalReadMessage.arg(c.path, c.reasonOf(q.lastError()));
            return nullptr;
        }
        // "+" keeps the rows read in the time index's order, a screenful at a
        // time, rather than every picked job read whole and then sorted.
        picked.where = QStringList{QStringLiteral("+j.id IN (%1)").arg(ids.isEmpty() ? QStringLiteral("NULL") : ids.join(u','))};
        picked.values.clear();
    }
    QString sql = ModelColumns;
    if (!picked.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + picked.where.join(QStringLiteral(" AND "));
    auto model = std::make_unique<JobsModel>(c, sql, picked.values);
    if (!model->load(reason)) {
        why = JournalReadMessage.arg(c.path, reason);
        return nullptr;
    }
    return model;
}
