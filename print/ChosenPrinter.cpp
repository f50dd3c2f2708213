#include "print/ChosenPrinter.h"

#include "print/PrinterQueue.h"
#include "print/PrinterShift.h"
#include "print/QtPrintCanvas.h"

#include <QPrinter>

QString ShiftNameOf(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty() ? PdfPrinterName
                                                                                             : printer.printerName();
}

std::unique_ptr<PrintCanvas> CanvasOnChosenPrinter(QPrinter& printer)
{
    const QString file = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    return std::make_unique<QtPrintCanvas>(printer, ShiftNameOf(printer), file, QueueCheckFor(printer));
}

void SetUpPdfFile(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFileName(path);
}
