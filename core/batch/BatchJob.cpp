#include "core/batch/BatchJob.h"

#include "core/print/PrintCanvas.h"

QString BatchCheck::report(int lines) const
{
    QStringList out;
    if (!fatal.isEmpty())
        out << fatal;
    for (int i = 0; i < problems.size() && i < lines; ++i)
        out << problems[i].message();
    if (problemCount > out.size())
        out << QStringLiteral("… a ďalšie chyby, spolu %1.").arg(problemCount);
    if (fatal.isEmpty() && problemCount == 0 && rows == 0)
        out << NoRowsMessage;
    return out.join(QLatin1Char('\n'));
}

namespace {

void keep(BatchCheck& check, const QList<BatchProblem>& found)
{
    check.problemCount += static_cast<int>(found.size());
    for (const BatchProblem& p : found)
        if (check.problems.size() < MaxKeptProblems)
            check.problems.append(p);
}

} // namespace

BatchCheck CheckTable(const BatchContext& context, const QString& tablePath, CheckProgress* progress)
{
    BatchCheck check;
    TableReader table(tablePath);
    check.fatal = table.open();
    if (!check.fatal.isEmpty())
        return check;
    std::optional<BatchHeader> header;
    FrameCache frames;
    const QString broken = table.forEachRow([&](const TableRow& row) {
        QList<BatchProblem> found;
        if (!header) {
            header = BatchHeader::read(context.description(), row, found);
        } else {
            ++check.rows;
            std::optional<FormPage> page = CheckRow(context, *header, row, frames, found);
            if (page && check.problemCount == 0 && found.isEmpty()) {
                check.pages.append(std::move(*page));
                check.pageLines.append(row.line);
            }
        }
        keep(check, found);
        if (check.problemCount > 0) {
            check.pages.clear(); // nothing will print: keep no pages
            check.pageLines.clear();
        }
        if (progress)
            progress->rows = check.rows;
        return !progress || !progress->stop;
    });
    if (!broken.isEmpty())
        check.fatal = broken;
    if (!header && check.fatal.isEmpty() && broken.isEmpty())
        check.fatal = QStringLiteral("Tabuľka „%1“ je prázdna: nemá ani hlavičku s názvami polí.").arg(tablePath);
    if (!check.fatal.isEmpty()) {
        check.pages.clear();
        check.pageLines.clear();
    }
    return check;
}

BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const BatchCheck& check,
                        const FormShift& shift, bool sketch, const BatchProgress& progress)
{
    BatchOutcome result;
    if (!check.ok() || check.pages.size() != check.rows) {
        const QString report = check.report(1);
        result.problem = report.isEmpty() ? NoRowsMessage : report.section(QLatin1Char('\n'), 0, 0);
        return result;
    }
    const PagesOutcome printed = PrintFormPages(canvas, context.description(), check.pages, shift, sketch, progress);
    result.outcome = printed.outcome;
    result.pages = printed.pages;
    result.cancelled = printed.cancelled;
    result.failure = canvas.failure();
    return result;
}

BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const QString& tablePath,
                        const FormShift& shift, bool sketch, const BatchProgress& progress)
{
    return PrintTable(canvas, context, CheckTable(context, tablePath), shift, sketch, progress);
}

QString BatchOutcomeMessage(const BatchOutcome& outcome)
{
    if (!outcome.problem.isEmpty())
        return QStringLiteral("Tlač sa zastavila, vytlačené: %1. %2").arg(PagesText(outcome.pages), outcome.problem);
    if (outcome.outcome == PrintOutcome::Refused && !outcome.failure.isEmpty())
        return outcome.failure;
    if (outcome.outcome != PrintOutcome::Printed)
        return PrintOutcomeMessage(outcome.outcome);
    if (outcome.cancelled)
        return QStringLiteral("Hromadná tlač bola zrušená; vytlačené: %1.").arg(PagesText(outcome.pages));
    return {};
}
