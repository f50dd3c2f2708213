#include "slips/PrintJob.h"

#include "app/AppState.h"
#include "slips/PrintCanvas.h"

bool PrintSlip(AppState& app, PrintCanvas& canvas, int referenceMm, std::span<const LayoutRow> layout,
               const FieldTexts& fields)
{
    const PageMeasures page = canvas.measures();
    if (!page.usable()) {
        // Every position divides by these; a zero would put text nowhere.
        app.platform.showMessage(UnusablePrinterMessage);
        return false;
    }
    const SlipPlacement placement(page, referenceMm);
    SetBasePrintFont(canvas, app.settings().printFontSize(), fromCp1250(app.settings().printFontName()));
    // A job the printer refused must not pass for a printed slip.
    if (!canvas.beginDocument()) {
        app.platform.showMessage(PrintFailedMessage);
        return false;
    }
    DrawLayout(canvas, placement, layout, fields);
    if (!canvas.endDocument()) {
        app.platform.showMessage(PrintFailedMessage);
        return false;
    }
    return true;
}
