#include "printer/SplitPdf.h"

#include "printer/ChosenPrinter.h"
#include "core/print/PrintCanvas.h"
#include "core/print/SafeOutput.h"

#include <QPrinter>

QString SplitFileName(const QString& output, int number)
{
    QString base = output;
    if (base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        base.chop(4);
    // The name is not put through arg(): a "%1" in it is the user's, not a place.
    return base + QStringLiteral("-%1.pdf").arg(number, 4, 10, QLatin1Char('0'));
}

namespace {

// Prints one page to `target` the way a single output is printed: the same
// checks, the same scratch file, the same permissions; empty when it went through.
QString writeOne(const FormDescription& form, const FormPage& page, const QString& target, const FormShift& shift,
                 bool sketch)
{
    // Checked again just before the write: the folder may have changed since.
    if (const QString refusal = OutputFileRefusal(target, {}); !refusal.isEmpty())
        return refusal;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfFile(printer, target);
    QString failed;
    {
        const std::unique_ptr<PrintCanvas> canvas = CanvasOnChosenPrinter(printer);
        const PrintOutcome outcome = PrintFormPage(*canvas, form, page, shift, sketch);
        if (outcome != PrintOutcome::Printed)
            failed = PrintOutcomeMessage(outcome, *canvas);
    }
    if (!failed.isEmpty())
        return QStringLiteral("Súbor „%1“: %2").arg(target, failed);
    return {};
}

} // namespace

SplitOutcome PrintSplitPdf(const FormDescription& form, std::span<const FormPage> pages, const QString& output,
                           const FormShift& shift, bool sketch)
{
    SplitOutcome result;
    for (const FormPage& page : pages) {
        result.problem = writeOne(form, page, SplitFileName(output, result.files + 1), shift, sketch);
        if (!result.problem.isEmpty())
            return result;
        ++result.files;
    }
    return result;
}
