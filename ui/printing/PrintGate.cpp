// The print commands every document window shares: print, preview and lining
// the printer up. The window's form and texts say what the job draws.
#include "ui/printing/PrintGate.h"

#include "core/batch/JobChecks.h"
#include "core/batch/JobJournal.h"
#include "printer/ChosenPrinter.h"
#include "ui/frame/AppState.h"
#include "ui/printing/PrintSubject.h"
#include "ui/printing/PrintPreview.h"
#include "core/print/DryRunCanvas.h"
#include "core/print/PageFit.h"
#include "core/print/PrintCanvas.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/SafeOutput.h"
#include "ui/printing/Tzarovnanie.h"

#include <QPrinter>

PrintGate::PrintGate(AppState& app, PrintSubject& subject) : app_(app), subject_(subject) {}

PrintOutcome PrintGate::printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch)
{
    const std::optional<FormPage> page = subject_.currentPage();
    if (!page)
        return PrintOutcome::Refused;
    return PrintFormPage(canvas, subject_.form(), *page, shift, sketch);
}

PrintOutcome PrintGate::printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift)
{
    const std::optional<FormPage> page = subject_.currentPage();
    if (!page)
        return PrintOutcome::Refused;
    return ::PrintAlignmentSheet(canvas, subject_.form(), page->frame, shift);
}

QString PrintGate::formPlacement() const
{
    const std::optional<FormPage> page = subject_.currentPage();
    return subject_.form().placement(page ? &page->frame : nullptr);
}

bool PrintGate::outputAllowed(const PrintCanvas& canvas, const QStringList& inputs)
{
    const QString refusal = OutputRefusal(canvas.outputFile(), app_.programFolder(), inputs);
    if (!refusal.isEmpty())
        app_.platform.showMessage(refusal);
    return refusal.isEmpty();
}

bool PrintGate::askYesNo(const QString& text)
{
    return app_.platform.askYesNo(subject_.dialogParent(), QStringLiteral("PrintAnyway"), text);
}

bool PrintGate::fitsOrConfirmed(const FormPage& page, const PrintCanvas& canvas, const FormShift& shift)
{
    const FitReport fit = CheckPageFit(subject_.form(), page, canvas, shift);
    return fit.clean() || askYesNo(PrintAnywayQuestion.arg(FitReportLines(subject_.form(), fit)));
}

void PrintGate::print()
{
    if (!subject_.readyToPrint(PrintIntent::Print))
        return;
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(subject_.dialogParent());
    if (!canvas || !outputAllowed(*canvas))
        return; // cancelled, or a file the print must not write: nothing is printed
    const FormShift shift = printerShift(canvas->printerName());
    const std::optional<FormPage> page = subject_.currentPage();
    if (page && !fitsOrConfirmed(*page, *canvas, shift))
        return;
    const PrintOutcome outcome = printOn(*canvas, shift, false);
    const QString failure = outcome == PrintOutcome::Printed ? QString() : PrintOutcomeMessage(outcome, *canvas);
    if (!failure.isEmpty())
        app_.platform.showMessage(failure);
    if (page)
        recordJob({*page}, *canvas, {}, failure);
}

void PrintGate::recordJob(const QList<FormPage>& pages, const PrintCanvas& canvas, const QString& table,
                          const QString& failure)
{
    const auto [target, name] = TargetOf(canvas);
    const PrintedJob job{subject_.form(), pages, target, name, table.isEmpty() ? JobSource::Window : JobSource::Table,
                         table, failure.isEmpty(), failure};
    if (const QString message = RecordPrintedJob(app_.programFolder(), job); !message.isEmpty())
        app_.platform.showMessage(message);
}

FormShift PrintGate::printerShift(const QString& printer)
{
    QString damage;
    const FormShift shift = StoredShift(app_.programFolder(), subject_.form(), printer, damage);
    if (!damage.isEmpty())
        app_.platform.showMessage(damage);
    return shift;
}

QString PrintGate::describeJob(QPrinter& printer)
{
    const QString name = ShiftNameOf(printer);
    QtPrintCanvas canvas(printer, name);
    const PageMeasures page = canvas.measures();
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    QString damage; // told when the job prints, not in the preview's line
    const FormShift shift = StoredShift(app_.programFolder(), subject_.form(), name, damage);
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
    DryRunCanvas dryRun(page, canvas.screenDpi(), canvas.deviceDpi(), name);
    dryRun.font = canvas.font;
    printOn(dryRun, shift, false);
    if (const DryRunCanvas::Bounds bounds = dryRun.bounds(); bounds.offPage > 0)
        line += QStringLiteral(" Pozor: %1 z %2 textov by padlo mimo tlačovej plochy!").arg(bounds.offPage).arg(bounds.drawn);
    if (const std::optional<FormPage> p = subject_.currentPage()) {
        const FitReport fit = CheckPageFit(subject_.form(), *p, page, canvas.screenDpi(), canvas.deviceDpi(), canvas.font, shift);
        if (!fit.clean())
            line += QStringLiteral("\nNie na svojom mieste: ") + FitReportLines(subject_.form(), fit).replace(QLatin1Char('\n'), QStringLiteral(". ")) + QLatin1Char('.');
    }
    return line;
}

void PrintGate::preview()
{
    if (!subject_.readyToPrint(PrintIntent::Preview))
        return;
    QPrinter& printer = app_.platform.currentPrinter();
    PrintPreview preview(printer, describeJob(printer), [this](QPrinter& target) {
        QtPrintCanvas canvas(target, ShiftNameOf(target));
        const PrintOutcome outcome = printOn(canvas, printerShift(ShiftNameOf(target)), true);
        if (outcome != PrintOutcome::Printed)
            app_.platform.showMessage(PrintOutcomeMessage(outcome));
    });
    if (app_.platform.runDialog(preview) == QDialog::Accepted)
        print(); // "Tlačiť" in the preview: exactly the window's own print
}

void PrintGate::alignPrinter()
{
    if (!subject_.readyToPrint(PrintIntent::Alignment))
        return;
    Tzarovnanie dialog(app_, *this);
    app_.platform.runDialog(dialog);
}
