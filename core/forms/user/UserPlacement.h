#pragma once
// Where a user form lies on the printer's paper: its rotation and offset turn
// a point of the form (mm from its top-left corner, y down) into a point of
// the paper (mm from the paper's top-left corner, portrait as the printer
// takes it). The print, the preview and the designer's test page all go
// through this one transform.
#include "core/forms/user/UserLayout.h"
#include "core/print/PrinterShift.h"

#include <QPointF>
#include <QSizeF>
#include <QTransform>

// The paper the layout names, portrait, in mm.
QSizeF PaperSizeMm(const QString& paper);

// Form mm to paper mm: turned clockwise by the layout's rotation, the turned
// outline's top-left corner at its offset.
QTransform FormToPaper(const UserLayout& layout);

// The counter-clockwise angle a text of the form is drawn at on the paper.
int TextAngle(const UserLayout& layout);

// A printer shift as the user reads the form (right and down along its
// texts) in the frame print jobs apply shifts in: that of a slip, which is
// fed turned by 90 degrees.
FormShift ShiftAsSlips(const UserLayout& layout, const FormShift& asRead);
