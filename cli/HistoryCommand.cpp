#include "cli/HistoryCommand.h"

#include "cli/BatchCommand.h"
#include "core/batch/JobJournal.h"
#include "core/journal/Journal.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTemporaryDir>

const QString HistoryHelpText = QStringLiteral(
    "  --history             vypíše tlače z histórie tlače, jednu na riadok, oddelené tabulátorom:\n"
    "                        číslo, čas, formulár, strany, tlačiareň alebo súbor, zdroj, výsledok\n"
    "  --history-export SÚBOR.csv [--job N]\n"
    "                        zapíše strany tlače N (bez --job všetkých tlačí) do tabuľky, ktorú\n"
    "                        prečíta --input\n"
    "  --reprint N (--output SÚBOR.pdf | --printer MENO)\n"
    "                        vytlačí strany tlače N znova, so zarovnaním tlačiarne, ako je dnes\n");

namespace {

const QStringList HistoryOptions{QStringLiteral("history"), QStringLiteral("history-export"), QStringLiteral("reprint")};

QString timeText(const QDateTime& utc) { return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QString outcomeText(const JobSummary& job)
{
    if (job.outcome == JobOutcome::Printed)
        return QStringLiteral("vytlačené");
    return QStringLiteral("chyba: ") + QString(job.message).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A positive job number, or nothing.
std::optional<qint64> jobNumber(const QString& text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n > 0 ? std::optional<qint64>(n) : std::nullopt;
}

} // namespace

bool IsHistoryCommand(const QStringList& arguments)
{
    for (const QString& a : arguments)
        for (const QString& name : HistoryOptions)
            if (a.section(QLatin1Char('='), 0, 0) == QLatin1String("--") + name)
                return true;
    return false;
}

int RunHistoryCommand(const QStringList& arguments, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption history(QStringLiteral("history"));
    const QCommandLineOption exportTo(QStringLiteral("history-export"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption job(QStringLiteral("job"), QString(), QStringLiteral("N"));
    const QCommandLineOption reprint(QStringLiteral("reprint"), QString(), QStringLiteral("N"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption printer(QStringLiteral("printer"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({history, exportTo, job, reprint, output, printer, force});
    auto bad = [&](const QString& why) {
        err << why << "\nNápoveda: zelvana-batch --help\n";
        return BatchBadOptionsOrOutput;
    };
    if (!parser.parse(QStringList{QStringLiteral("zelvana-batch")} + arguments) || !parser.positionalArguments().isEmpty())
        return bad(QStringLiteral("Voľby histórie tlače: --history, --history-export SÚBOR.csv [--job N] alebo "
                                  "--reprint N (--output SÚBOR.pdf | --printer MENO)."));
    if (int(parser.isSet(history)) + int(parser.isSet(exportTo)) + int(parser.isSet(reprint)) != 1)
        return bad(QStringLiteral("Zadajte len jedno z --history, --history-export a --reprint."));
    std::optional<qint64> number;
    if (parser.isSet(job) || parser.isSet(reprint)) {
        const QString text = parser.value(parser.isSet(reprint) ? reprint : job);
        number = jobNumber(text);
        if (!number)
            return bad(QStringLiteral("Číslo tlače „%1“ nie je kladné celé číslo.").arg(text));
    }

    JournalOpen opened = Journal::open(programFolder);
    if (!opened.message.isEmpty())
        err << opened.message << '\n';
    if (!opened.journal)
        return BatchBadOptionsOrOutput;
    Journal& journal = *opened.journal;
    QString why;
    if (parser.isSet(history)) {
        const QList<JobSummary> jobs = journal.jobs({}, why);
        if (!why.isEmpty())
            return err << why << '\n', BatchBadOptionsOrOutput;
        for (const JobSummary& j : jobs)
            out << j.id << '\t' << timeText(j.time) << '\t' << j.form.name << '\t' << j.pageCount << '\t' << j.targetName
                << '\t' << (j.source == JobSource::Window ? QStringLiteral("okno") : QStringLiteral("tabuľka ") + j.sourceFile)
                << '\t' << outcomeText(j) << '\n';
        return BatchPrinted;
    }
    if (number && !journal.job(*number, why)) {
        err << (why.isEmpty() ? QStringLiteral("Tlač č. %1 v histórii nie je.").arg(*number) : why) << '\n';
        return BatchBadOptionsOrOutput;
    }
    if (parser.isSet(exportTo)) {
        if (const QString problem = journal.exportCsv(parser.value(exportTo), number); !problem.isEmpty())
            return err << problem << '\n', BatchBadOptionsOrOutput;
        out << QStringLiteral("Zapísaná tabuľka „%1“.\n").arg(parser.value(exportTo));
        return BatchPrinted;
    }
    // Again through the table print: every check of a row, today's shift.
    const std::optional<JobSummary> summary = journal.job(*number, why);
    if (QString unknown; !FormOfJob(summary->form, programFolder, unknown))
        return err << QStringLiteral("Tlač č. %1 nemožno vytlačiť znova: %2\n").arg(*number).arg(unknown),
               BatchBadOptionsOrOutput;
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("tlac-%1.csv").arg(*number));
    if (const QString problem = journal.exportCsv(table, number); !problem.isEmpty())
        return err << problem << '\n', BatchBadOptionsOrOutput;
    QString form = summary->form.name;
    if (!summary->form.builtIn) {
        // The layout as it was printed, whatever its file says today.
        form = dir.filePath(QStringLiteral("formular.json"));
        QFile layout(form);
        if (!layout.open(QIODevice::WriteOnly) || layout.write(summary->form.layout.toUtf8()) < 0 || !layout.flush())
            return err << QStringLiteral("Tlač č. %1 nemožno vytlačiť znova: %2\n").arg(*number).arg(layout.errorString()),
                   BatchBadOptionsOrOutput;
    }
    QStringList print{QStringLiteral("--form"), form, QStringLiteral("--input"), table};
    if (parser.isSet(output))
        print << QStringLiteral("--output") << parser.value(output);
    if (parser.isSet(printer))
        print << QStringLiteral("--printer") << parser.value(printer);
    if (parser.isSet(force))
        print << QStringLiteral("--force");
    opened.journal.reset(); // the print records itself through a journal of its own
    return RunBatchCommand(print, programFolder, out, err, QStringLiteral("história, tlač č. %1").arg(*number));
}
