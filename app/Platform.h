#pragma once
// Seams to the desktop: message boxes, the shell, random numbers. The Qt
// implementation is QtPlatform; tests put a recording stand-in in its place.
#include <QFont>
#include <QString>
#include <memory>
#include <optional>

class PrintCanvas;
class QDialog;
class QProgressDialog;
class QPrinter;
class QWidget;

inline const QString AppTitle = QStringLiteral("Zelvana 1.0.1");

class Platform {
public:
    virtual ~Platform() = default;

    // A plain message box with an OK button, captioned AppTitle.
    virtual void showMessage(const QString& text) = 0;
    // The shell's "open" on a path or web address; the result is ignored.
    // Help files (*.hlp) open in the program's own help window.
    virtual void shellOpen(const QString& target) = 0;
    // A random integer in [0, n); 0 when n <= 0. Seeded once per run.
    virtual int randomBelow(int n) = 0;
    // All of the program's windows go to the task bar together.
    virtual void minimiseApplication() = 0;
    // The print dialog: a canvas on the chosen printer, or nothing on cancel.
    virtual std::unique_ptr<PrintCanvas> runPrintDialog(QWidget* parent) = 0;
    // A short hint beside a field, gone by itself: no box to click away.
    virtual void showHint(QWidget* field, const QString& text) = 0;
    // Shows one of the program's dialogs modally and returns its result
    // (QDialog::Accepted or Rejected) once it has closed.
    virtual int runDialog(QDialog& dialog) = 0;
    // The printer the last print dialog of this run chose, else the system's
    // default one, else an A4 PDF page: what a preview shows the job on.
    virtual QPrinter& currentPrinter() = 0;
    // The font dialog, opened at `initial`: the confirmed font, or nothing.
    virtual std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial) = 0;
    // The file dialog to open a file: its path, or empty on cancel.
    virtual QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // A long job's progress dialog, shown, at `done` steps: true to go on,
    // false once the user has cancelled.
    virtual bool progressStep(QProgressDialog& dialog, int done) = 0;
    // Brings `window` to the front, out of the task bar if need be (a later
    // start of the program asks for its launcher).
    virtual void bringToFront(QWidget& window) { (void)window; }
};


class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    void showMessage(const QString& text) override;
    void shellOpen(const QString& target) override;
    int randomBelow(int n) override;
    void minimiseApplication() override;
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget* parent) override;
    void showHint(QWidget* field, const QString& text) override;
    int runDialog(QDialog& dialog) override;
    QPrinter& currentPrinter() override;
    std::optional<QFont> runFontDialog(QWidget* parent, const QFont& initial) override;
    QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) override;
    bool progressStep(QProgressDialog& dialog, int done) override;
    void bringToFront(QWidget& window) override;

private:
    unsigned long long state_;
    // The printer chosen in a dialog stays current for later jobs of the run.
    std::unique_ptr<QPrinter> printer_;
};
