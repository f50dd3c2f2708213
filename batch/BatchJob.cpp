#include "batch/BatchJob.h"

#include "slips/PrintCanvas.h"

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

BatchCheck CheckTable(const BatchContext& context, const QString& tablePath)
{
    BatchCheck check;
    TableReader table(tablePath);
    check.fatal = table.open();
    if (!check.fatal.isEmpty())
        return check;
    std::optional<BatchHeader> header;
    TemplateCache templates;
    const QString broken = table.forEachRow([&](const TableRow& row) {
        QList<BatchProblem> found;
        if (!header)
            header = BatchHeader::read(context.form, row, found);
        else {
            ++check.rows;
            CheckRow(context, *header, row, templates, found);
        }
        keep(check, found);
        return true;
    });
    if (!broken.isEmpty())
        check.fatal = broken;
    if (!header && check.fatal.isEmpty() && broken.isEmpty())
        check.fatal = QStringLiteral("Tabuľka „%1“ je prázdna: nemá ani hlavičku s názvami polí.").arg(tablePath);
    return check;
}

BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const QString& tablePath,
                        const FormShift& shift, bool sketch, const BatchProgress& progress)
{
    BatchOutcome result;
    TableReader table(tablePath);
    result.problem = table.open();
    if (!result.problem.isEmpty())
        return result;
    const bool envelope = context.form == DocumentForm::Envelope;
    const QString face = fromCp1250(context.settings.printFontName());
    const BaseFont slipFont = SlipBaseFont(context.settings);
    const BaseFont firstFont = envelope ? BaseFont{0, face, EnvelopeFontDivisor} : slipFont;
    result.outcome = RunPrintJob(
        canvas, firstFont,
        [&](PrintCanvas& c, const PageMeasures& page) {
            std::optional<BatchHeader> header;
            TemplateCache templates;
            bool pageRefused = false;
            const QString broken = table.forEachRow([&](const TableRow& row) {
                QList<BatchProblem> found;
                if (!header) {
                    header = BatchHeader::read(context.form, row, found);
                    if (found.isEmpty())
                        return true;
                } else {
                    CheckRow(context, *header, row, templates, found);
                }
                if (!found.isEmpty()) {
                    result.problem = found.first().message();
                    return false;
                }
                if (result.pages > 0 && progress && !progress(result.pages)) {
                    result.cancelled = true;
                    return false;
                }
                if (result.pages > 0 && !c.newPage()) {
                    pageRefused = true;
                    return false;
                }
                const QHash<QString, QString> texts = RowControlTexts(context, *header, row);
                if (envelope) {
                    const EnvelopeTemplate t = *templates.get(context.programFolder, texts.value(QStringLiteral("sablona")), nullptr);
                    SetBasePrintFont(c, {t.SenderFontSize, face, EnvelopeFontDivisor});
                    if (sketch)
                        c.drawGuide(SketchEnvelope(SlipPlacement(page, t.WidthMm), page, t.WidthMm, t.HeightMm, true));
                    DrawEnvelope(c, page, t, EnvelopeLinesOf(texts));
                } else {
                    SetBasePrintFont(c, slipFont);
                    const SlipPlacement placement(page, FormReferenceMm(context.form));
                    if (sketch)
                        c.drawGuide(SketchForm(FormLayout(context.form), FormAreas(context.form), placement, page, true));
                    DrawLayout(c, placement, FormLayout(context.form), SlipFieldTexts(context.form, texts));
                }
                ++result.pages;
                return true;
            });
            if (!broken.isEmpty())
                result.problem = broken;
            if (progress && result.pages > 0 && !result.cancelled)
                progress(result.pages);
            return !pageRefused;
        },
        shift);
    if (result.outcome == PrintOutcome::Printed && !result.problem.isEmpty())
        result.outcome = PrintOutcome::Refused; // a row went wrong after the check: not all went out
    return result;
}

QString PagesText(int n)
{
    if (n == 1)
        return QStringLiteral("1 strana");
    if (n >= 2 && n <= 4)
        return QStringLiteral("%1 strany").arg(n);
    return QStringLiteral("%1 strán").arg(n);
}

QString BatchOutcomeMessage(const BatchOutcome& outcome)
{
    if (!outcome.problem.isEmpty())
        return QStringLiteral("Tlač sa zastavila, vytlačené: %1. %2").arg(PagesText(outcome.pages), outcome.problem);
    if (outcome.outcome != PrintOutcome::Printed)
        return PrintOutcomeMessage(outcome.outcome);
    if (outcome.cancelled)
        return QStringLiteral("Hromadná tlač bola zrušená; vytlačené: %1.").arg(PagesText(outcome.pages));
    return {};
}
