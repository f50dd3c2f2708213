#include "ui/desktop/QtSeams.h"

#include "ui/frame/Platform.h"
#include "printer/ChosenPrinter.h"

#include "ui/desktop/HelpWindow.h"
#include "ui/desktop/MessageBox.h"
#include "ui/desktop/ShellTarget.h"
#include "ui/desktop/StandardDialogs.h"
#include "printer/PrinterQueue.h"
#include "core/print/PrinterShift.h"
#include "core/print/QtPrintCanvas.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QPrinter>
#include <QToolTip>
#include <QUrl>
#include <QWidget>
#include <chrono>

Platform::Platform()
    : qt_(std::make_unique<QtSeams>()), messages_(&qt_->messages), shell_(&qt_->shell), dialogs_(&qt_->dialogs),
      printDialogs_(&qt_->printDialogs), random_(&qt_->random)
{
}

Platform::~Platform() = default;

QtRandom::QtRandom()
    : state_(static_cast<unsigned long long>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

QtPrintDialogs::QtPrintDialogs() = default;
QtPrintDialogs::~QtPrintDialogs() = default;

std::unique_ptr<PrintCanvas> QtPrintDialogs::runPrintDialog(QWidget* parent)
{
    const std::unique_ptr<QPrintDialog> dialog = MakePrintDialog(currentPrinter(), parent);
    if (dialog->exec() != QDialog::Accepted)
        return nullptr;
    return CanvasOnChosenPrinter(*printer_);
}

QPrinter& QtPrintDialogs::currentPrinter()
{
    if (!printer_) {
        // QPrinter starts on the system's default printer; without one it
        // writes a PDF file, on A4 unless the locale says otherwise.
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (printer_->printerName().isEmpty()) {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setPageSize(QPageSize(QPageSize::A4));
        }
    }
    return *printer_;
}

void QtMessages::showMessage(const QString& text)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text);
    box->exec();
}

void QtShell::shellOpen(const QString& target)
{
    OpenShellTarget(
        target, [this](const QString& helpFile) { HelpWindow::open(helpFile, this); },
        [](const QUrl& url) { QDesktopServices::openUrl(url); });
}

int QtRandom::randomBelow(int n)
{
    if (n <= 0)
        return 0;
    // splitmix64: enough for picking a tip, and seeded once from the clock.
    unsigned long long z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<int>(z % static_cast<unsigned long long>(n));
}

void QtShell::minimiseApplication()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        // Qt::Popup shares its Window bit with every window: compare the type.
        if (w->isVisible() && w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            w->showMinimized();
}

bool QtMessages::askYesNo(QWidget* parent, const QString& name, const QString& text)
{
    const std::unique_ptr<QMessageBox> box = MakeYesNoBox(name, text, parent);
    box->exec();
    return AnsweredYes(*box);
}

void QtMessages::showHint(QWidget* field, const QString& text)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text, field);
}

int QtDialogs::runDialog(QDialog& dialog) { return dialog.exec(); }

std::optional<QFont> QtPrintDialogs::runFontDialog(QWidget* parent, const QFont& initial)
{
    const std::unique_ptr<QFontDialog> dialog = MakeFontDialog(parent, initial);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->selectedFont();
}

QString QtPrintDialogs::chooseFile(QWidget* parent, const QString& caption, const QString& filter)
{
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(parent, caption, filter);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}

QString QtPrintDialogs::chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter)
{
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(parent, caption, filter);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // The ending the filter offers ("*.json"), else a table's.
    const QRegularExpressionMatch ending = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    dialog->setDefaultSuffix(ending.hasMatch() ? ending.captured(1) : QStringLiteral("csv"));
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}

bool QtPrintDialogs::progressStep(QProgressDialog& dialog, int done)
{
    dialog.setValue(done);
    QApplication::processEvents(); // the cancel button is pressed between pages
    return !dialog.wasCanceled();
}

void QtShell::bringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}
