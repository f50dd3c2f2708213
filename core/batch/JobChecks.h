#pragma once
// The checks a print job makes before it draws, written once for the windows
// and zelvana-batch: the printer's stored shift, the file the job may write,
// the context a table prints in, and a table's dry run as lines of text.
#include "core/batch/BatchFit.h"
#include "core/print/PrinterShift.h"

// The shift stored for `printer` in the program folder. A damaged file counts
// as no shift, and `damage` gets the message that tells the user so.
// The name a printer's shift is kept under for a form: the printer's own for
// the built-in forms, which share it; the printer's and the form's for a user
// form, as each such form is fed and lined up on its own.
QString ShiftGroup(const FormDescription& form, const QString& printer);
QString UserFormShiftGroup(const QString& formName, const QString& printer);
FormShift StoredShift(const QString& programFolder, const FormDescription& form, const QString& printer,
                      QString& damage);
// The shift kept under `group`, and the damage message when its file is damaged.
FormShift StoredShift(const QString& programFolder, const QString& group, QString& damage);

// Why the job may not write `outputFile` (one of the program's own files, or
// one of `inputs`); empty when it may, or when the job writes no file.
QString OutputRefusal(const QString& outputFile, const QString& programFolder, const QStringList& inputs = {});

// The context a table of `kind` prints in, with these records.
BatchContext TableContext(const FormDescription& form, const QString& programFolder, const ProgramSettings& settings,
                          const PersonalData& personal);

// What a table's dry run found, a line a row: those off the page first, then
// those that run into another part; at most `most`, then one with the count.
QStringList TableFitLines(const BatchFit& fit, qsizetype most);
