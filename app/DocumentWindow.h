#pragma once
// What the four document windows share: fixed size at a designed position, the
// main menu with its shortcuts and handlers, and the close that lowers
// OpenFormCount.
#include "print/PageRenderer.h"

#include <optional>

#include <QMainWindow>

class AppState;
class PrintCanvas;
class QAction;
class QPrinter;

// How a document window sits on the screen; what it holds is its form's description.
struct DocumentLook {
    int clientWidth;
    int clientHeight;
    int left;
    int top;
    const char* closeItemName; // "closeF" or "Koniecprogramu1"
};

class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    DocumentWindow(AppState& app, const DocumentLook& look, const FormDescription& form);

    // The client area, where each window places its controls.
    QWidget* client() const { return client_; }
    AppState& app() const { return app_; }
    const FormDescription& form() const { return form_; }

    // Menu items, named as their handlers expect.
    QAction* Tlai1 = nullptr;
    QAction* Ukkapredtlaou1 = nullptr;      // print preview
    QAction* Zarovnanietlaiarne1 = nullptr; // lining the printer up
    QAction* Hromadntla1 = nullptr;         // a whole table, one page per row
    QAction* closeItem = nullptr; // closeF or Koniecprogramu1
    QAction* TypuA1 = nullptr;
    QAction* TypuC1 = nullptr;
    QAction* TypuD1 = nullptr;
    QAction* Oblka1 = nullptr;
    QAction* Novablnapreoblky1 = nullptr;
    QAction* Osobndaje1 = nullptr;
    QAction* Nastaveniaprogramu1 = nullptr;
    QAction* Index1 = nullptr;
    QAction* Oprograme1 = nullptr;

    // The print command of the window's form: the print dialog, then the job.
    virtual void Tlai1Click();
    // The page as the job would draw it on the current printer, the form
    // sketched under it.
    void Ukkapredtlaou1Click();
    void Zarovnanietlaiarne1Click();
    // A table chosen in a file dialog, checked, then printed page by page
    // with a progress dialog that can stop it between pages.
    void Hromadntla1Click();

    // Each field's text as the window holds it, by the form's field names.
    FieldTexts controlTexts() const;
    // The texts a print reads: memos with the lines they show.
    FieldTexts fieldTexts() const;
    // The page this window prints, or nothing and `why` when the form's frame
    // cannot be resolved (an envelope's template that cannot be read).
    std::optional<FormPage> currentPage(QString* why = nullptr) const;

    // The window's job on `canvas`, with the printer's shift; the form is
    // sketched under the text when `sketch`. No page, no job.
    PrintOutcome printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch);
    // The sheet that lines a printer up with this window's form.
    PrintOutcome printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift);
    // Whether a job can start at all; tells the user why not.
    virtual bool readyToPrint() { return true; }
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
    // Where the form lies on the page, in a line for the preview.
    QString formPlacement() const;
    // The shift stored for `printer`; a damaged file is reported and counts as none.
    FormShift printerShift(const QString& printer);
    // One line on the printer, page and the form's place for `printer`.
    QString describeJob(QPrinter& printer);
    void TypuA1Click();
    void TypuC1Click();
    void TypuD1Click();
    void Oblka1Click();
    void Index1Click();
    // The template wizard; this window shows nothing new afterwards.
    void Novablnapreoblky1Click();
    // The about box, modal; nothing is refilled after it.
    void Oprograme1Click();
    // The two dialogs, then this window shows the records as they now stand.
    void Osobndaje1Click();
    void Nastaveniaprogramu1Click();
    // Lowers OpenFormCount; closing is always allowed.
    bool FormCloseQuery();

protected:
    // Puts the records into the window again after a dialog; nothing by default.
    virtual void refill() {}
    // Puts each text into the client's control of that name, as the program
    // fills a field: a line shows from its beginning.
    void fillControls(const FieldTexts& texts);
    // Call once the window's controls are placed: each one-line field takes
    // the limit its form gives, the menu shortcuts win over the edit fields'
    // own (Ctrl+C opens slip C), and a field that refuses a character says why.
    void adoptControls();
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu(const DocumentLook& look);
    AppState& app_;
    const FormDescription& form_;
    QWidget* client_;
};
