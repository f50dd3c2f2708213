#pragma once
// What a document window prints and how: the page from the window's form and
// texts, the print, the preview, lining the printer up, and the printer's
// shift. One per window; the window's menu handlers call it.
#include "core/print/PageRenderer.h"

class AppState;
class DocumentWindow;
class QPrinter;

class DocumentPrinting {
public:
    DocumentPrinting(AppState& app, DocumentWindow& window);

    // The print dialog, then the job.
    void print();
    // The page as the job would draw it on the current printer, the form
    // sketched under it.
    void preview();
    // The dialog that lines the printer up with the form.
    void alignPrinter();

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

    // Whether the amount fields hold digits only; tells the user of the first that does not.
    bool amountsPrintable();
    // Whether the job on `canvas` may write its file (none of the program's
    // own, none of `inputs`); tells the user why not.
    bool outputAllowed(const PrintCanvas& canvas, const QStringList& inputs = {});
    // A dry run of `page` on `canvas`: true when every text stays in its
    // place, or when the user, told which do not, answers "Áno".
    bool fitsOrConfirmed(const FormPage& page, const PrintCanvas& canvas, const FormShift& shift);
    // A yes/no box with "Áno" and "Nie"; true for "Áno".
    bool askYesNo(const QString& text);

private:
    AppState& app_;
    DocumentWindow& window_;
};
