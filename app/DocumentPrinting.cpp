// The print commands every document window shares: print, preview and lining
// the printer up. The window's form and texts say what the job draws.
#include "print/ChosenPrinter.h"
#include "app/AppState.h"
#include "app/DocumentPrinting.h"
#include "base/SlovakCount.h"
#include "app/DocumentWindow.h"
#include "print/PrintPreview.h"
#include "print/PageBounds.h"
#include "print/PrintCanvas.h"
#include "print/QtPrintCanvas.h"
#include "print/Tzarovnanie.h"

#include <QPrinter>

DocumentPrinting::DocumentPrinting(AppState& app, DocumentWindow& window) : app_(app), window_(window) {}

PrintOutcome DocumentPrinting::printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch)
{
    const std::optional<FormPage> page = window_.currentPage();
    if (!page)
        return PrintOutcome::Refused;
    return PrintFormPage(canvas, window_.form(), *page, shift, sketch);
}

PrintOutcome DocumentPrinting::printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift)
{
    const std::optional<FormPage> page = window_.currentPage();
    if (!page)
        return PrintOutcome::Refused;
    return ::PrintAlignmentSheet(canvas, window_.form(), page->frame, shift);
}

QString DocumentPrinting::formPlacement() const
{
    const std::optional<FormPage> page = window_.currentPage();
    return window_.form().placement(page ? &page->frame : nullptr);
}

void DocumentPrinting::print()
{
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(&window_);
    if (!canvas)
        return; // cancelled: nothing is printed
    const PrintOutcome outcome = printOn(*canvas, printerShift(canvas->printerName()), false);
    if (outcome != PrintOutcome::Printed)
        app_.platform.showMessage(PrintOutcomeMessage(outcome));
}

FormShift DocumentPrinting::printerShift(const QString& printer)
{
    QString damage;
    const QString path = app_.pathInProgramFolder(ShiftFileName);
    const FormShift shift = ReadShift(path, printer, &damage);
    if (!damage.isEmpty())
        app_.platform.showMessage(DamagedShiftMessage.arg(path, damage));
    return shift;
}

QString DocumentPrinting::describeJob(QPrinter& printer)
{
    const QString name = ShiftNameOf(printer);
    QtPrintCanvas canvas(printer, name);
    const PageMeasures page = canvas.measures();
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    QString damage;
    const FormShift shift = ReadShift(app_.pathInProgramFolder(ShiftFileName), name, &damage);
    QString line = QStringLiteral("Tlačiareň: %1; papier %2 × %3 mm, tlačová plocha %4 × %5 mm. %6")
                       .arg(name == PdfPrinterName ? QStringLiteral("súbor PDF") : name)
                       .arg(qRound(paper.width()))
                       .arg(qRound(paper.height()))
                       .arg(page.HorzSize)
                       .arg(page.VertSize)
                       .arg(formPlacement());
    if (!shift.isZero())
        line += QStringLiteral(" Posun tlačiarne: %1 mm doprava, %2 mm nadol.")
                    .arg(MillimetresText(shift.rightMm), MillimetresText(shift.downMm));
    // A dry run of the same job tells whether any text would fall off the page.
    BoundsCanvas bounds(page, canvas.screenDpi(), canvas.deviceDpi(), name);
    bounds.font = canvas.font;
    printOn(bounds, shift, false);
    if (bounds.offPage > 0)
        line += QStringLiteral(" Pozor: %1 z %2 textov by padlo mimo tlačovú plochu!").arg(bounds.offPage).arg(bounds.drawn);
    return line;
}

void DocumentPrinting::preview()
{
    if (!window_.readyToPrint())
        return;
    QPrinter& printer = app_.platform.currentPrinter();
    PrintPreview preview(printer, describeJob(printer), [this](QPrinter& target) {
        QtPrintCanvas canvas(target, ShiftNameOf(target));
        const PrintOutcome outcome = printOn(canvas, printerShift(ShiftNameOf(target)), true);
        if (outcome != PrintOutcome::Printed)
            app_.platform.showMessage(PrintOutcomeMessage(outcome));
    });
    if (app_.platform.runDialog(preview) == QDialog::Accepted)
        window_.Tlai1Click(); // "Tlačiť" in the preview: exactly the window's own print
}

void DocumentPrinting::alignPrinter()
{
    if (!window_.readyToPrint())
        return;
    Tzarovnanie dialog(app_, *this);
    app_.platform.runDialog(dialog);
}
