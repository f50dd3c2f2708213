// The print commands every document window shares: print, preview and lining
// the printer up. The window's form and texts say what the job draws.
#include "printer/ChosenPrinter.h"
#include "ui/frame/AppState.h"
#include "ui/printing/DocumentPrinting.h"
#include "ui/document/DocumentWindow.h"
#include "core/base/SlovakCount.h"
#include "ui/printing/PrintPreview.h"
#include "core/print/PageBounds.h"
#include "core/print/PageFit.h"
#include "ui/desktop/MessageBox.h"
#include "core/print/PrintCanvas.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/SafeOutput.h"
#include "ui/printing/Tzarovnanie.h"
#include "ui/slips/AmountFields.h"
#include "core/words/AmountToWords.h"

#include <QAbstractButton>
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

bool DocumentPrinting::amountsPrintable()
{
    // Typing tells of a wrong amount but keeps it; printed, it would stand
    // beside words that say another amount.
    // Only a slip keeps crowns in `suma` and a hellers digit in `hal`; the
    // payment page checks its euro amount itself.
    if (!window_.form().field(QStringLiteral("hal")))
        return true;
    const FieldTexts texts = window_.controlTexts();
    for (const char* name : {"suma", "hal"}) {
        if (!window_.form().field(QString::fromLatin1(name)))
            continue;
        const QString text = texts.text(QString::fromLatin1(name));
        if (!IsAllDigits(toCp1250(text))) {
            app_.platform.showMessage(AmountFields::DigitErrorPrefix + text);
            return false;
        }
    }
    return true;
}

bool DocumentPrinting::outputAllowed(const PrintCanvas& canvas, const QStringList& inputs)
{
    if (canvas.outputFile().isEmpty())
        return true;
    const QString refusal = OutputFileRefusal(canvas.outputFile(), ProgramOwnFolders(app_.programFolder()), inputs);
    if (!refusal.isEmpty())
        app_.platform.showMessage(refusal);
    return refusal.isEmpty();
}

bool DocumentPrinting::askYesNo(const QString& text)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, &window_);
    box->setObjectName(QStringLiteral("PrintAnyway"));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("Áno"));
    box->button(QMessageBox::No)->setText(QStringLiteral("Nie"));
    app_.platform.runDialog(*box);
    return box->clickedButton() == box->button(QMessageBox::Yes);
}

bool DocumentPrinting::fitsOrConfirmed(const FormPage& page, const PrintCanvas& canvas, const FormShift& shift)
{
    const FitReport fit = CheckPageFit(window_.form(), page, canvas, shift);
    return fit.clean() || askYesNo(PrintAnywayQuestion.arg(FitReportLines(window_.form(), fit)));
}

void DocumentPrinting::print()
{
    if (!amountsPrintable())
        return;
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(&window_);
    if (!canvas || !outputAllowed(*canvas))
        return; // cancelled, or a file the print must not write: nothing is printed
    const FormShift shift = printerShift(canvas->printerName());
    if (const std::optional<FormPage> page = window_.currentPage(); page && !fitsOrConfirmed(*page, *canvas, shift))
        return;
    const PrintOutcome outcome = printOn(*canvas, shift, false);
    if (outcome != PrintOutcome::Printed)
        app_.platform.showMessage(PrintOutcomeMessage(outcome, *canvas));
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
        line += QStringLiteral(" Pozor: %1 z %2 textov by padlo mimo tlačovej plochy!").arg(bounds.offPage).arg(bounds.drawn);
    if (const std::optional<FormPage> p = window_.currentPage()) {
        const FitReport fit = CheckPageFit(window_.form(), *p, page, canvas.screenDpi(), canvas.deviceDpi(), canvas.font, shift);
        if (!fit.clean())
            line += QStringLiteral("\nNie na svojom mieste: ") + FitReportLines(window_.form(), fit).replace(QLatin1Char('\n'), QStringLiteral(". ")) + QLatin1Char('.');
    }
    return line;
}

void DocumentPrinting::preview()
{
    if (!amountsPrintable() || !window_.readyToPrint())
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
