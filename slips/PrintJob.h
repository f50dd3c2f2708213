#pragma once
// One slip print job on a canvas the print dialog gave: placement for the
// form's reference, the base print font, one page with every row of the layout.
#include "slips/Layout.h"

class AppState;
class PrintCanvas;

inline const QString UnusablePrinterMessage = QStringLiteral(
    "Tlačiareň neudáva rozmery tlačovej plochy, preto nie je možné tlačiť.\r"
    " Skontrolujte nastavenie tlačiarne alebo zvoľte inú tlačiareň.");

inline const QString PrintFailedMessage = QStringLiteral(
    "Tlač sa nepodarila: tlačiareň alebo súbor pre tlač nie je dostupný.");

// Returns false (after telling the user) when the printer reports no usable
// page or refuses the job.
bool PrintSlip(AppState& app, PrintCanvas& canvas, int referenceMm, std::span<const LayoutRow> layout,
               const FieldTexts& fields);
