#pragma once
// The one frame of every print job: check the page measures, set the base
// font, begin, draw the pages, end. The outcome is a value; the window that
// ran the job shows its message.
#include "core/print/Layout.h"
#include "core/print/Placement.h"
#include "core/print/FormSketch.h"
#include "core/print/PrinterShift.h"

#include <QString>
#include <cstdint>
#include <functional>

class PrintCanvas;
class ProgramSettings;

enum class PrintOutcome {
    Printed,
    UnusablePage,  // the printer reports no printable area
    Refused,       // the printer or the output file refused the job, or it was not written whole
    MissingFields, // a layout names a field the texts do not carry: nothing was printed
};

// The base print font of a job: Trunc(size / divisor x PageHeight / HorzSize)
// points, and the face (cut to 31 characters; an empty name keeps the face).
struct BaseFont {
    std::int32_t size = 0;
    QString face;
    long double divisor = SlipFontDivisor;
};

// Draws every page; between pages it calls canvas.newPage(). Returns false
// when a new page was refused.
using DrawPages = std::function<bool(PrintCanvas& canvas, const PageMeasures& page)>;

// `shift` lines the printer up with the form: every text and guide of the job
// moves by the same whole number of device pixels; a zero shift changes nothing.
PrintOutcome RunPrintJob(PrintCanvas& canvas, const BaseFont& font, const DrawPages& draw, const FormShift& shift = {});

// The base font of a slip job, from the settings.
BaseFont SlipBaseFont(const ProgramSettings& settings);

void SetBasePrintFont(PrintCanvas& canvas, const BaseFont& font);

inline const QString UnusablePrinterMessage = QStringLiteral(
    "Tlačiareň neudáva rozmery tlačovej plochy, preto nie je možné tlačiť.\r"
    " Skontrolujte nastavenie tlačiarne alebo zvoľte inú tlačiareň.");
inline const QString PrintFailedMessage = QStringLiteral(
    "Tlač sa nepodarila: tlačiareň alebo súbor pre tlač nie je dostupný.");
inline const QString MissingFieldsMessage = QStringLiteral(
    "Chyba programu: tlač pozná polia, ktoré formulár nemá (%1). Nič sa nevytlačilo.");

// What the user is told of an outcome; empty for a printed job.
QString PrintOutcomeMessage(PrintOutcome outcome, const QStringList& missingFields = {});
// The same, with the canvas's own reason for a refusal when it has one.
QString PrintOutcomeMessage(PrintOutcome outcome, const PrintCanvas& canvas);
