#pragma once
// The desktop as the program sees it, one seam per concern: messages, the
// shell, the program's dialogs, Qt's standard dialogs and chance. Each starts
// as the Qt implementation (app/QtSeams.h); a test or a tool puts its own
// stand-in in for just the concerns it plays, with use().
#include "ui/frame/DialogSeam.h"
#include "ui/frame/MessageSeam.h"
#include "ui/frame/PrintDialogSeam.h"
#include "ui/frame/RandomSeam.h"
#include "ui/frame/ShellSeam.h"
#include "core/print/PrintCanvas.h"

#include <functional>
#include <memory>

struct QtSeams;

class Platform {
public:
    Platform();
    virtual ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    void use(MessageSeam& seam) { messages_ = &seam; }
    void use(ShellSeam& seam) { shell_ = &seam; }
    void use(DialogSeam& seam) { dialogs_ = &seam; }
    void use(PrintDialogSeam& seam) { printDialogs_ = &seam; }
    void use(RandomSeam& seam) { random_ = &seam; }

    MessageSeam& messageSeam() const { return *messages_; }
    ShellSeam& shellSeam() const { return *shell_; }

    // What the program asks of the desktop; see each seam for the meaning.
    void showMessage(const QString& text) { messages_->showMessage(text); }
    void showHint(QWidget* field, const QString& text) { messages_->showHint(field, text); }
    // showHint as a function a control can keep.
    std::function<void(QWidget*, const QString&)> hinter()
    {
        return [this](QWidget* field, const QString& text) { showHint(field, text); };
    }
    bool askYesNo(QWidget* parent, const QString& name, const QString& text)
    {
        return messages_->askYesNo(parent, name, text);
    }
    void shellOpen(const QString& target) { shell_->shellOpen(target); }
    void minimiseApplication() { shell_->minimiseApplication(); }
    void bringToFront(QWidget& window) { shell_->bringToFront(window); }
    int runDialog(QDialog& dialog) { return dialogs_->runDialog(dialog); }
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget* parent) { return printDialogs_->runPrintDialog(parent); }
    QPrinter& currentPrinter() { return printDialogs_->currentPrinter(); }
    std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial)
    {
        return printDialogs_->runFontDialog(parent, initial);
    }
    QString chooseFile(QWidget* parent, const QString& caption, const QString& filter)
    {
        return printDialogs_->chooseFile(parent, caption, filter);
    }
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter)
    {
        return printDialogs_->chooseSaveFile(parent, caption, filter);
    }
    bool progressStep(QProgressDialog& dialog, int done) { return printDialogs_->progressStep(dialog, done); }
    int randomBelow(int n) { return random_->randomBelow(n); }

private:
    std::unique_ptr<QtSeams> qt_;
    MessageSeam* messages_;
    ShellSeam* shell_;
    DialogSeam* dialogs_;
    PrintDialogSeam* printDialogs_;
    RandomSeam* random_;
};

// The program's own desktop: every concern the Qt way.
using QtPlatform = Platform;
