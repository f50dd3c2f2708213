#pragma once
// One slip print job on a canvas the print dialog gave: placement for the
// form's reference, the base print font, one page with every row of the layout.
#include "slips/Layout.h"

class AppState;
class PrintCanvas;

inline const QString UnusablePrinterMessage = QStringLiteral(
    "Tlačiareň neudáva rozmery tlačovej plochy, preto nie je možné tlačiť.\r"
    " Skontrolujte nastavenie tlačiarne alebo zvoľte inú tlačiareň.");

// Returns false (after telling the user) when the printer reports no usable page.
bool PrintSlip(AppState& app, PrintCanvas& canvas, int referenceMm, std::span<const LayoutRow> layout,
               const FieldTexts& fields);
