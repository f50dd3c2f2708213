// "Hromadná tlač…" of every document window: a table of the window's form,
// checked first, then printed as one job, each with a progress dialog.
#include "ui/printing/PrintGate.h"

#include "core/batch/BatchJob.h"
#include "core/batch/JobChecks.h"
#include "core/print/MeasuresCanvas.h"
#include "ui/frame/AppState.h"
#include "ui/printing/PrintSubject.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <memory>
#include <functional>

namespace {

// The progress of every step of a table print, shown at once and left open
// until the step hides it.
void showProgress(QProgressDialog& progress, const char* name, Qt::WindowModality modality)
{
    progress.setObjectName(QString::fromLatin1(name));
    progress.setWindowTitle(QStringLiteral("Hromadná tlač"));
    progress.setWindowModality(modality);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
}

// The check of a long table and its dry run on the printer take seconds:
// each runs beside the window while a progress dialog with "Zrušiť" shows
// from its first row, counting the rows `done` reports (of `total`, when it
// is known). `work` holds everything it touches, so one the user cancelled
// ends on its own at its next row, its result dropped. False when cancelled.
bool runWithProgress(QWidget* parent, const QString& label, const std::shared_ptr<CheckProgress>& done, int total,
                     std::function<void()> work)
{
    std::unique_ptr<QThread> worker(QThread::create(std::move(work)));
    QProgressDialog progress(label, QStringLiteral("Zrušiť"), 0, total, parent);
    // Every window waits: the work shares the program's forms and fonts.
    showProgress(progress, "BatchCheckProgress", Qt::ApplicationModal);
    worker->start();
    // Not the print's progress seam: this dialog counts no pages, and a
    // press on its button is all there is to it.
    bool cancelled = false;
    do {
        const int rows = done->rows;
        if (total > 0)
            progress.setValue(std::min(rows, total));
        else
            progress.setLabelText(QStringLiteral("%1\nPrečítané: %2.").arg(label, LinesText(rows)));
        QCoreApplication::processEvents();
        cancelled = progress.wasCanceled();
    } while (!cancelled && !worker->wait(QDeadlineTimer(40)));
    progress.hide();
    if (!cancelled)
        return true;
    done->stop = true;
    // Let it end on its own, and the program not end under it.
    QThread* left = worker.release();
    QObject::connect(left, &QThread::finished, left, &QObject::deleteLater);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, left, [left] { left->wait(); });
    if (left->isFinished())
        delete left;
    return false;
}

// What the check found; with `canPrint` the user may go on to the print dialog.
std::unique_ptr<QDialog> summaryDialog(QWidget* parent, const QString& text, bool canPrint)
{
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("BatchSummary"));
    dialog->setWindowTitle(QStringLiteral("Hromadná tlač"));
    auto* layout = new QVBoxLayout(dialog.get());
    auto* label = new QLabel(text, dialog.get());
    label->setObjectName(QStringLiteral("summary"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(dialog.get());
    if (canPrint) {
        buttons->addButton(QStringLiteral("Tlačiť…"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("print"));
        buttons->addButton(QStringLiteral("Zrušiť"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    } else {
        buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    layout->addWidget(buttons);
    return dialog;
}

} // namespace

void PrintGate::printTable()
{
    const FormDescription& form = subject_.form();
    QWidget* window = subject_.dialogParent();
    const QString path = app_.platform.chooseFile(window, QStringLiteral("Hromadná tlač: vyberte tabuľku"),
                                                  QStringLiteral("Tabuľky (*.csv *.txt);;Všetky súbory (*)"));
    if (path.isEmpty())
        return;
    const BatchContext context = TableContext(form, app_.programFolder(), app_.settings(), app_.personal());
    const auto checked = std::make_shared<BatchCheck>();
    const auto checking = std::make_shared<CheckProgress>();
    if (!runWithProgress(window, QStringLiteral("Kontroluje sa tabuľka „%1“…").arg(path), checking, 0,
                         [checked, checking, context, path] { *checked = CheckTable(context, path, checking.get()); }))
        return;
    const BatchCheck& check = *checked;
    const QString text = check.ok()
                             ? QStringLiteral("Tabuľka „%1“ je v poriadku: %2 na tlač, formulár %3.")
                                   .arg(path, PagesText(check.rows), QString::fromUtf8(form.userName))
                             : QStringLiteral("Tabuľku „%1“ nemožno vytlačiť, nič sa nevytlačí:\n%2")
                                   .arg(path, check.report(10));
    const std::unique_ptr<QDialog> summary = summaryDialog(window, text, check.ok());
    if (app_.platform.runDialog(*summary) != QDialog::Accepted || !check.ok())
        return;
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(window);
    if (!canvas || !outputAllowed(*canvas, {path}))
        return;
    const FormShift shift = printerShift(canvas->printerName());
    const auto fitted = std::make_shared<BatchFit>();
    // Read off the printer here: the run beside the window must not touch the
    // printer itself, and may outlive it.
    const auto printer = std::make_shared<MeasuresCanvas>(*canvas);
    const auto trying = std::make_shared<CheckProgress>();
    if (!runWithProgress(window, QStringLiteral("Skúša sa, či sa texty tabuľky zmestia na svoje miesto…"), trying,
                         check.rows, [fitted, printer, checked, trying, context, shift] {
                             *fitted = CheckTableFit(context, *checked, *printer, shift, trying.get());
                         }))
        return;
    const BatchFit& fit = *fitted;
    if ((!fit.offPage.isEmpty() || !fit.intoOther.isEmpty())
        && !askYesNo(PrintAnywayQuestion.arg(TableFitLines(fit, 10).join(QLatin1Char('\n')))))
        return;
    QProgressDialog progress(QStringLiteral("Tlačí sa tabuľka „%1“…").arg(path), QStringLiteral("Zrušiť"), 0,
                             check.rows, window);
    showProgress(progress, "BatchProgress", Qt::WindowModal);
    const BatchOutcome outcome = PrintTable(*canvas, context, check, shift, false,
                                            [&](int done) { return app_.platform.progressStep(progress, done); });
    progress.hide();
    const QString message = BatchOutcomeMessage(outcome);
    if (outcome.pages > 0 || !message.isEmpty())
        recordJob(check.pages.mid(0, outcome.pages), *canvas, path, message);
    app_.platform.showMessage(message.isEmpty() ? QStringLiteral("Hromadná tlač je hotová, vytlačené: %1.")
                                                      .arg(PagesText(outcome.pages))
                                                : message);
}
