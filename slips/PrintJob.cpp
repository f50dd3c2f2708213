#include "slips/PrintJob.h"

#include "settings/ProgramSettings.h"
#include "slips/PrintCanvas.h"

void SetBasePrintFont(PrintCanvas& canvas, const BaseFont& font)
{
    canvas.font.size = BasePrintSize(canvas.measures(), font.size, font.divisor);
    if (!font.face.isEmpty())
        canvas.font.face = font.face.left(31);
}

PrintOutcome RunPrintJob(PrintCanvas& canvas, const BaseFont& font, const DrawPages& draw)
{
    const PageMeasures page = canvas.measures();
    // Every position divides by these; a zero would put text nowhere.
    if (!page.usable())
        return PrintOutcome::UnusablePage;
    SetBasePrintFont(canvas, font);
    if (!canvas.beginDocument())
        return PrintOutcome::Refused;
    const bool drawn = draw(canvas, page);
    // End the document either way, so the printer is not left with half a job.
    const bool ended = canvas.endDocument();
    return drawn && ended ? PrintOutcome::Printed : PrintOutcome::Refused;
}

BaseFont SlipBaseFont(const ProgramSettings& settings)
{
    return {settings.printFontSize(), fromCp1250(settings.printFontName()), SlipFontDivisor};
}

PrintOutcome PrintSlip(PrintCanvas& canvas, const BaseFont& font, int referenceMm, std::span<const LayoutRow> layout,
                       const FieldTexts& fields)
{
    if (!MissingFields(layout, fields).isEmpty())
        return PrintOutcome::MissingFields;
    return RunPrintJob(canvas, font, [&](PrintCanvas& c, const PageMeasures& page) {
        DrawLayout(c, SlipPlacement(page, referenceMm), layout, fields);
        return true;
    });
}

QString PrintOutcomeMessage(PrintOutcome outcome, const QStringList& missingFields)
{
    switch (outcome) {
    case PrintOutcome::Printed:
        return {};
    case PrintOutcome::UnusablePage:
        return UnusablePrinterMessage;
    case PrintOutcome::Refused:
        return PrintFailedMessage;
    case PrintOutcome::MissingFields:
        return MissingFieldsMessage.arg(missingFields.join(QStringLiteral(", ")));
    }
    return PrintFailedMessage;
}
