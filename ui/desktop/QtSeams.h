#pragma once
// The Qt implementation of each of the desktop seams.
#include "ui/frame/DialogSeam.h"
#include "ui/frame/MessageSeam.h"
#include "ui/frame/PrintDialogSeam.h"
#include "ui/frame/RandomSeam.h"
#include "ui/frame/ShellSeam.h"

#include <memory>

class QtMessages : public MessageSeam {
public:
    void showMessage(const QString& text) override;
    void showHint(QWidget* field, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& name, const QString& text) override;
};

class QtShell : public ShellSeam {
public:
    void shellOpen(const QString& target) override;
    void minimiseApplication() override;
    void bringToFront(QWidget& window) override;
};

class QtDialogs : public DialogSeam {
public:
    int runDialog(QDialog& dialog) override;
};

class QtPrintDialogs : public PrintDialogSeam {
public:
    QtPrintDialogs();
    ~QtPrintDialogs() override;
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget* parent) override;
    QPrinter& currentPrinter() override;
    std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial) override;
    QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter) override;
    bool progressStep(QProgressDialog& dialog, int done) override;

private:
    // The printer chosen in a dialog stays current for later jobs of the run.
    std::unique_ptr<QPrinter> printer_;
};

class QtRandom : public RandomSeam {
public:
    QtRandom();
    int randomBelow(int n) override;

private:
    unsigned long long state_;
};

struct QtSeams {
    QtMessages messages;
    QtShell shell;
    QtDialogs dialogs;
    QtPrintDialogs printDialogs;
    QtRandom random;
};
