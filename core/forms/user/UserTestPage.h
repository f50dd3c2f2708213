#pragma once
// The designer's test page: the form's scan, pale, with the box of every
// field outlined in black where the layout puts it on the paper. Held against
// the light over the printed form, it shows whether the layout fits.
#include "core/forms/user/UserLayout.h"
#include "core/print/PrintCanvas.h"
#include "core/print/PrintJob.h"

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QTransform>

// Paper mm to device pixels: the printer reports only its printable area,
// which is taken as centred on the paper.
QTransform PaperToDevice(const PageMeasures& page, const QSizeF& paperMm);
// Form mm to device pixels: FormToPaper, then PaperToDevice on the layout's paper.
QTransform FormToDevice(const UserLayout& layout, const PageMeasures& page);

// What the test page draws: the scan stretched over the form (pale; left out
// when `background` is null), then the outlines and names of the fields (black).
QList<Guide> UserTestPageGuides(const UserLayout& layout, const PageMeasures& page, const QImage& background);

// One page of the guides as a print job. `shift` is the form's own on the
// printer, as the user reads the form; it is turned with the form, as the
// form's print turns it.
PrintOutcome PrintUserTestPage(PrintCanvas& canvas, const UserLayout& layout, const QImage& background,
                               const FormShift& shift = {});
