#pragma once
// A dry run of one page through the page renderer that tells which fields'
// texts would not stay in their place: off the printable area, or into
// another part of the form. Run before every print, so a wasted form is
// asked about, not reported as printed.
#include "core/print/FormDescription.h"
#include "core/print/PrintCanvas.h"

#include <QStringList>

// A text is told by the fields it shows (a joined row shows two). Its letters
// are measured in the print font as the canvas sets it, at the printer's
// resolution.
//  - Off the page: a visible character outside the printable area.
//  - Into another part: the form's areas split its width; a text belongs to
//    the last area that begins at or before its first letter (or to the
//    first), and crosses when a whole letter of it lies past the beginning
//    of the next area, or any of it past the form's end. A text that covers
//    a text of another field, or on the same line comes closer to it than
//    half a blank of the font (their letters' bodies, the middle 60 % of the
//    em across, meet), crosses too.
struct FitReport {
    QStringList offPage;   // field names, in the form's order
    QStringList intoOther; // the same, for fields with no text off the page
    bool clean() const { return offPage.isEmpty() && intoOther.isEmpty(); }
};

// The page `page` of `form` as a job on a printer of these measures would
// draw it with `font` as the canvas font before the job and `shift`.
FitReport CheckPageFit(const FormDescription& form, const FormPage& page, const PageMeasures& measures,
                       int screenDpi, int deviceDpi, const CanvasFont& font, const FormShift& shift);
// The same on the measures of `like`.
FitReport CheckPageFit(const FormDescription& form, const FormPage& page, const PrintCanvas& like,
                       const FormShift& shift);

inline const QString PrintAnywayQuestion = QStringLiteral(
    "Niektoré texty by sa nevytlačili na svoje miesto:\n%1\nTlačiť aj tak?");
inline const QString OffPageLine = QStringLiteral("mimo tlačovej plochy: %1");
inline const QString IntoOtherLine
    = QStringLiteral("cez iný text, do inej časti formulára alebo za jeho okraj: %1");

// How the user knows a field: its caption, else its name.
QString FieldCaptionOf(const FormDescription& form, const QString& name);

// The lines of a report for the user, each field by its caption; empty for a clean one.
QString FitReportLines(const FormDescription& form, const FitReport& report);
