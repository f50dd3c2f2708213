#pragma once
// What the document windows share: fixed size at a designed position, the
// main menu with its shortcuts and handlers, and the close that lowers
// OpenFormCount.
#include "core/print/PageRenderer.h"
#include "ui/printing/PrintGate.h"
#include "ui/printing/PrintSubject.h"

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

class DocumentWindow : public QMainWindow, public PrintSubject {
    Q_OBJECT
public:
    DocumentWindow(AppState& app, const DocumentLook& look, const FormDescription& form);

    // The client area, where each window places its controls.
    QWidget* client() const { return client_; }
    AppState& app() const { return app_; }
    const FormDescription& form() const override { return form_; }

    // Menu items, named as their handlers expect.
    QAction* Tlai1 = nullptr;
    QAction* Ukkapredtlaou1 = nullptr;      // print preview
    QAction* Zarovnanietlaiarne1 = nullptr; // lining the printer up
    QAction* Hromadntla1 = nullptr;         // a whole table, one page per row
    QAction* Histriatlae1 = nullptr;        // the print history
    QAction* closeItem = nullptr; // closeF or Koniecprogramu1
    QAction* TypuA1 = nullptr;
    QAction* TypuC1 = nullptr;
    QAction* TypuD1 = nullptr;
    QAction* Oblka1 = nullptr;
    QAction* PlatbaQR1 = nullptr;
    QAction* Novablnapreoblky1 = nullptr;
    QAction* Osobndaje1 = nullptr;
    QAction* Nastaveniaprogramu1 = nullptr;
    QAction* Index1 = nullptr;
    QAction* Oprograme1 = nullptr;

    // The print commands, all through the print gate: print, preview,
    // lining the printer up, a whole table.
    void Tlai1Click() { printing_.print(); }
    void Ukkapredtlaou1Click() { printing_.preview(); }
    void Zarovnanietlaiarne1Click() { printing_.alignPrinter(); }
    void Hromadntla1Click() { printing_.printTable(); }
    PrintGate& printing() { return printing_; }
    // The print history, modal.
    void Histriatlae1Click();
    // Puts these texts into the window's fields, as a page once printed had them.
    void showTexts(const FieldTexts& texts) { fillControls(texts); }

    FieldTexts controlTexts() const override;
    // The texts a print reads: memos with the lines they show.
    FieldTexts fieldTexts() const;
    std::optional<FormPage> currentPage(QString* why = nullptr) const override;
    QWidget* dialogParent() override { return this; }

    // The form's own rules over the window's texts: the first refusal is
    // shown and nothing prints. A window adds checks of its own.
    bool readyToPrint(PrintIntent intent) override;
    void TypuA1Click();
    void TypuC1Click();
    void TypuD1Click();
    void Oblka1Click();
    void PlatbaQR1Click();
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
    // Call once the window's controls are placed: the tab order follows the
    // form's fields, each one-line field takes
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
    PrintGate printing_;
};
