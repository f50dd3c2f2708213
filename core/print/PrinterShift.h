#pragma once
// Lining a printer up with the form: a shift of the whole form, in millimetres
// as the user reads the form upright (to the right, downwards), kept per
// printer in tlaciarne.ini beside the records. With no shift stored a job is
// the placement rule's to the pixel.
#include "core/print/Placement.h"

#include <QString>
#include <QStringList>

struct FormShift {
    double rightMm = 0;
    double downMm = 0;
    bool isZero() const { return rightMm == 0 && downMm == 0; }
};

// The largest shift either way, in millimetres.
constexpr double MaxShiftMm = 30.0;
// The name a PDF file is stored under, whatever printer the dialog shows.
inline const QString PdfPrinterName = QStringLiteral("PDF");
inline const QString ShiftFileName = QStringLiteral("tlaciarne.ini");

// Device pixels of a shift on `page`, computed once per job: upright right is
// down the page, upright down is towards the page's left edge.
struct ShiftPixels {
    int dx = 0;
    int dy = 0;
};
ShiftPixels ShiftOnPage(const FormShift& shift, const PageMeasures& page);

// Reads tlaciarne.ini afresh. A missing file or printer means no shift; a
// damaged file (not parsable, a value that is no number or beyond 30 mm) too,
// and `damage` then says what is wrong.
FormShift ReadShift(const QString& path, const QString& printer, QString* damage = nullptr);
// Stores `shift` for `printer`, keeping every other printer's. The file is
// replaced whole or not at all. Returns false when it could not be written.
bool WriteShift(const QString& path, const QString& printer, const FormShift& shift);

inline const QString DamagedShiftMessage = QStringLiteral(
    "Súbor „%1“ so zarovnaním tlačiarní je poškodený (%2). Tlačí sa bez posunu; "
    "zarovnanie nastavte znova v ponuke Súbor, Zarovnanie tlačiarne.");
