#pragma once
// Qt's standard dialogs the program asks for: print, font, file, progress.
#include <QFont>
#include <QString>
#include <memory>
#include <optional>

class PrintCanvas;
class QPrinter;
class QProgressDialog;
class QWidget;

class PrintDialogSeam {
public:
    virtual ~PrintDialogSeam() = default;
    // The print dialog: a canvas on the chosen printer, or nothing on cancel.
    virtual std::unique_ptr<PrintCanvas> runPrintDialog(QWidget* parent) = 0;
    // The printer the last print dialog of this run chose, else the system's
    // default one, else an A4 PDF page: what a preview shows the job on.
    virtual QPrinter& currentPrinter() = 0;
    // The font dialog, opened at `initial`: the confirmed font, or nothing.
    virtual std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial) = 0;
    // The file dialog to open a file: its path, or empty on cancel.
    virtual QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // The file dialog to save a file: its path, or empty on cancel.
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // A long job's progress dialog, shown, at `done` steps: true to go on,
    // false once the user has cancelled.
    virtual bool progressStep(QProgressDialog& dialog, int done) = 0;
};
