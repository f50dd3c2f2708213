#pragma once
// Every print a window starts goes through here: the print, the preview,
// lining the printer up and a whole table. It knows the window only as a
// PrintSubject; the checks before a job are the core's (JobChecks).
#include "core/print/PageRenderer.h"

class AppState;
class PrintSubject;
class QPrinter;

class PrintGate {
public:
    PrintGate(AppState& app, PrintSubject& subject);
    PrintSubject& subject() const { return subject_; }

    // The window's check, the print dialog, then the job.
    void print();
    // The page as the job would draw it on the current printer, the form
    // sketched under it; "Tlačiť" there is print().
    void preview();
    // The dialog that lines the printer up with the form.
    void alignPrinter();
    // "Hromadná tlač…": a table of the form, checked, then printed (BatchPrinting.cpp).
    void printTable();

    // The window's job on `canvas`, with the printer's shift; the form is
    // sketched under the text when `sketch`. No page, no job.
    PrintOutcome printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch);
    // The sheet that lines a printer up with this window's form.
    PrintOutcome printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift);
    // Where the form lies on the page, in a line for the preview.
    QString formPlacement() const;
    // The shift stored for `printer`; a damaged file is reported and counts as none.
    FormShift printerShift(const QString& printer);
    // One line on the printer, page and the form's place for `printer`.
    QString describeJob(QPrinter& printer);

    // Whether the job on `canvas` may write its file (none of the program's
    // own, none of `inputs`); tells the user why not.
    bool outputAllowed(const PrintCanvas& canvas, const QStringList& inputs = {});
    // A yes/no question to the user, "Nie" the default; true for "Áno".
    bool askYesNo(const QString& text);

private:
    // A dry run of `page` on `canvas`: true when every text stays in its
    // place, or when the user, told which do not, answers "Áno".
    bool fitsOrConfirmed(const FormPage& page, const PrintCanvas& canvas, const FormShift& shift);
    // Keeps the finished job in the journal; a journal that fails is told, the print stands.
    void recordJob(const QList<FormPage>& pages, const PrintCanvas& canvas, const QString& table,
                   const QString& failure);
    AppState& app_;
    PrintSubject& subject_;
};
