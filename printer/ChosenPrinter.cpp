#include "printer/ChosenPrinter.h"

#include "printer/PrinterQueue.h"
#include "core/print/PrinterShift.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/SafeOutput.h"

#include <QPrinter>

QString ShiftNameOf(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty() ? PdfPrinterName
                                                                                             : printer.printerName();
}

namespace {

// A PDF file: the printer writes the scratch file, which takes the target's
// place when the document ended whole; the printer names the target again after.
class PdfFileCanvas : public QtPrintCanvas {
public:
    PdfFileCanvas(QPrinter& printer, QString target, std::unique_ptr<ScratchOutput> scratch, bool opened, QString why)
        : QtPrintCanvas(printer, ShiftNameOf(printer), scratch->path()), printer_(printer), target_(std::move(target)),
          scratch_(std::move(scratch)), opened_(opened), why_(std::move(why))
    {
    }
    ~PdfFileCanvas() override { printer_.setOutputFileName(target_); }
    QString outputFile() const override { return target_; }
    bool beginDocument() override { return opened_ && QtPrintCanvas::beginDocument(); }
    bool endDocument() override { return QtPrintCanvas::endDocument() && scratch_->commit(&why_); }
    QString failure() const override { return why_; }

private:
    QPrinter& printer_;
    QString target_;
    std::unique_ptr<ScratchOutput> scratch_;
    bool opened_;
    QString why_;
};

} // namespace

std::unique_ptr<PrintCanvas> CanvasOnChosenPrinter(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return std::make_unique<QtPrintCanvas>(printer, ShiftNameOf(printer), QString(), QueueCheckFor(printer));
    const QString target = printer.outputFileName();
    auto scratch = std::make_unique<ScratchOutput>(target);
    QString why;
    const bool opened = !target.isEmpty() && scratch->open(&why);
    if (opened)
        printer.setOutputFileName(scratch->path());
    return std::make_unique<PdfFileCanvas>(printer, target, std::move(scratch), opened, why);
}

void SetUpPdfFile(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFileName(path);
}
