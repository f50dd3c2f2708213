#pragma once
// The print journal: what each print job printed, kept in historia.sqlite in
// the program's files folder. A Journal is one connection of its own; it
// belongs to the thread that opened it, and the window and a batch thread
// each open their own.
#include "core/print/FormDescription.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>
#include <utility>

// A form as the journal names it: a built-in kind by its --form option name
// ("A", "obalka"), or a user form by its name with a copy of its layout.
struct JournalForm {
    QString name{};
    bool builtIn = true;
    QString layout{}; // the user form's layout file text as printed; null when not kept

    static JournalForm of(FormKind kind);
    static JournalForm user(const QString& name, const QString& layout = {});
    // The built-in kind, if this names one the program still knows.
    std::optional<FormKind> kind() const;
    bool operator==(const JournalForm&) const = default;
};

enum class JobTarget { Printer, Pdf };
enum class JobSource { Window, Table };
enum class JobOutcome { Printed, Failed };

struct JournalPage {
    int number = 0; // from 1, in the order printed
    // Every field's text as printed, in the form's order.
    QList<std::pair<QString, QString>> fields{};
    QString payload{}; // the payment QR's text; null when the page has none

    QString text(const QString& field) const;
    bool operator==(const JournalPage&) const = default;
};

struct JournalJob {
    QDateTime time{}; // when it printed; stored in UTC
    JournalForm form{};
    JobTarget target = JobTarget::Printer;
    QString targetName{}; // the printer's name or the PDF's path
    JobSource source = JobSource::Window;
    QString sourceFile{}; // the table's file; empty for a window
    JobOutcome outcome = JobOutcome::Printed;
    QString message{}; // for a failed job, the message the user saw
    QList<JournalPage> pages{};
};

// A job without its pages, as a list of jobs shows it.
struct JobSummary {
    qint64 id = 0;
    QDateTime time{}; // UTC; toLocalTime() to show it
    JournalForm form{};
    JobTarget target = JobTarget::Printer;
    QString targetName{};
    JobSource source = JobSource::Window;
    QString sourceFile{};
    JobOutcome outcome = JobOutcome::Printed;
    QString message{};
    int pageCount = 0;
};

struct JobFilter {
    // Words that must each be in some field text of the job. A letter typed
    // without its diacritics finds it with them too ("Kosice" finds
    // "Košice"); one typed with its mark finds only itself. Case never matters.
    QString search{};
    std::optional<JournalForm> form{}; // its name and kind; the layout does not matter
    QDateTime from{}, to{}; // either may be invalid: no bound; `to` is included
    int limit = 0;                   // the newest this many; 0 for all
};

inline constexpr int JournalSchemaVersion = 2;
inline constexpr std::chrono::milliseconds JournalBusyTimeout{5000};
inline const QString JournalFileName = QStringLiteral("historia.sqlite");

struct JournalOpen;
class QAbstractItemModel;

// The columns of Journal::jobsModel, as a list of jobs shows them.
enum class JobColumn { Time, Form, Recipient, Amount, Symbol, Pages, Target, Outcome };
inline constexpr int JobColumnCount = 8;
// Under this role every cell of a row gives its job's id.
inline constexpr int JobIdRole = 0x0100 + 1; // Qt::UserRole + 1

class Journal {
public:
    // Opens (or creates, mode 0600) historia.sqlite in `folder` (with its
    // trailing separator). A damaged journal is renamed aside and a new one
    // started, and the message says where the old one is.
    static JournalOpen open(const QString& folder, std::chrono::milliseconds busyTimeout = JournalBusyTimeout);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    QString path() const;

    // Records a job in one transaction: its id, or nothing, nothing
    // recorded and why, in Slovak.
    std::optional<qint64> record(const JournalJob& job, QString& why);
    // Newest first; their forms without the layout copies, which job() gives.
    QList<JobSummary> jobs(const JobFilter& filter, QString& why) const;
    // Nothing, and `why` untouched, for a job the journal no longer has.
    std::optional<JobSummary> job(qint64 id, QString& why) const;
    QList<JournalPage> pages(qint64 job, QString& why) const;
    // The jobs the filter picks, read from the journal as the view asks for
    // rows, newest first until sort() orders them by another column: the
    // local time, the form's user name, the first page's first recipient
    // line, amount, variable symbol, pages, printer or file, outcome. It
    // reads through this journal's connection and must not outlive it. Null
    // and why when the journal cannot be read.
    std::unique_ptr<QAbstractItemModel> jobsModel(const JobFilter& filter, QString& why) const;
    bool remove(const QList<qint64>& jobs, QString& why);
    bool clear(QString& why);
    // A table of the job's pages (every job's when none), a row per page and
    // a column per field name, that the batch table reader reads: UTF-8 with
    // a BOM, semicolons, every cell quoted, field names first. Empty when
    // written, else why not, in Slovak.
    QString exportCsv(const QString& path, std::optional<qint64> job = std::nullopt) const;

    struct Connection;

private:
    explicit Journal(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> d_;
};

struct JournalOpen {
    std::unique_ptr<Journal> journal; // null when the journal cannot be used
    // Why not, or, with a journal, what was done to open it; empty when
    // there is nothing to tell.
    QString message{};
};

// The messages, in Slovak. %1 is the journal's path unless told otherwise.
inline const QString JournalOpenMessage =
    QStringLiteral("Históriu tlače „%1“ sa nepodarilo otvoriť: %2. Tlače sa do histórie nezapisujú.");
inline const QString JournalReadOnlyMessage =
    QStringLiteral("Do histórie tlače „%1“ nemožno zapisovať, priečinok alebo súbor je len na čítanie. Tlače sa do "
                   "histórie nezapisujú.");
inline const QString JournalNewerMessage =
    QStringLiteral("Históriu tlače „%1“ zapísala novšia verzia programu (verzia histórie %2, tento program pozná najviac "
                   "%3). Súbor ostáva nezmenený a tlače sa do neho nezapisujú.");
// %1 where the damaged file now is, %2 the new journal.
inline const QString JournalSetAsideMessage =
    QStringLiteral("História tlače bola poškodená. Program ju odložil ako „%1“ a začal novú, prázdnu históriu „%2“.");
// %1 where the damaged file now is, %2 why no new one could start.
inline const QString JournalSetAsideFailedMessage =
    QStringLiteral("História tlače bola poškodená. Program ju odložil ako „%1“, novú históriu však začať nemohol. %2");
inline const QString JournalStuckMessage =
    QStringLiteral("História tlače „%1“ je poškodená a nepodarilo sa ju odložiť nabok: %2. Súbor ostáva, ako je, a "
                   "tlače sa do histórie nezapisujú.");
// A reason inside the messages below: %1 the seconds waited.
inline const QString JournalBusyMessage =
    QStringLiteral("históriu tlače práve používa iný program a neuvoľnil ju ani po %1 s");
inline const QString JournalRecordMessage = QStringLiteral("Tlač sa do histórie tlače „%1“ nezapísala: %2.");
inline const QString JournalReadMessage = QStringLiteral("Históriu tlače „%1“ sa nepodarilo prečítať: %2.");
inline const QString JournalRemoveMessage =
    QStringLiteral("Z histórie tlače „%1“ sa nepodarilo vymazať: %2. Nič sa nevymazalo.");
// %1 the table's path.
inline const QString JournalExportMessage = QStringLiteral("Tabuľku „%1“ sa nepodarilo uložiť: %2.");
inline const QString JournalExportOverJournal = QStringLiteral("je to súbor samotnej histórie tlače");
