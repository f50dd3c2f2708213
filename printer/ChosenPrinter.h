#pragma once
// A real printer or PDF file as a print canvas: the one place that turns a
// QPrinter into the name its shift is kept under and into a canvas that
// reports whether the job really went out. The windows and zelvana-batch
// both print through it.
#include <QString>
#include <memory>

class PrintCanvas;
class QPrinter;

// The name a printer's shift is kept under: "PDF" for a PDF file.
QString ShiftNameOf(const QPrinter& printer);
// The canvas on a printer set up by the print dialog or by options. A PDF
// file is written through a scratch file beside it (SafeOutput.h) that
// replaces it only when the job ended whole; a scratch file that cannot be
// made refuses the job as it begins. The caller checks the target first.
std::unique_ptr<PrintCanvas> CanvasOnChosenPrinter(QPrinter& printer);
// Sets `printer` up as the print dialog's PDF file: A4, portrait, `path`.
void SetUpPdfFile(QPrinter& printer, const QString& path);
