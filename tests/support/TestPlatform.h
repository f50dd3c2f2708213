#pragma once
// Stand-in for the desktop: records messages and shell calls, scripted random numbers.
#include "ui/desktop/MessageBox.h"
#include "ui/frame/Platform.h"
#include "core/print/PrintCanvas.h"

#include <functional>
#include <optional>

#include <QDialog>
#include <QFont>
#include <QPrinter>
#include <QProgressDialog>

#include <QList>
#include <QPair>
#include <QStringList>
#include <deque>

// It plays every concern; a test that needs only one can put a smaller
// stand-in into a plain Platform with use().
class TestPlatform : public Platform,
                     public MessageSeam,
                     public ShellSeam,
                     public DialogSeam,
                     public PrintDialogSeam,
                     public RandomSeam {
public:
    TestPlatform()
    {
        use(static_cast<MessageSeam&>(*this));
        use(static_cast<ShellSeam&>(*this));
        use(static_cast<DialogSeam&>(*this));
        use(static_cast<PrintDialogSeam&>(*this));
        use(static_cast<RandomSeam&>(*this));
    }
    void showMessage(const QString& text) override { messages.append(text); }
    void shellOpen(const QString& target) override { opened.append(target); }
    int randomBelow(int n) override
    {
        randomCalls.append(n);
        if (n <= 0)
            return 0;
        int next = randomScript.empty() ? 0 : randomScript.front();
        if (!randomScript.empty())
            randomScript.pop_front();
        return next % n;
    }

    void minimiseApplication() override { ++minimised; }
    // The print dialog: the canvas `printer` gives, or a cancel when it is unset.
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget*) override
    {
        ++printDialogs;
        return printer ? printer() : nullptr;
    }
    std::function<std::unique_ptr<PrintCanvas>()> printer;
    void showHint(QWidget* field, const QString& text) override { hints.append({field, text}); }
    // The question is a real box "shown" as runDialog shows one, so a test answers it in onDialog.
    bool askYesNo(QWidget* parent, const QString& name, const QString& text) override
    {
        const std::unique_ptr<QMessageBox> box = MakeYesNoBox(name, text, parent);
        runDialog(*box);
        return AnsweredYes(*box);
    }

    // A dialog "shown" modally: `onDialog` plays the user (types, clicks
    // Akceptovať or Zrušiť); a dialog it leaves open counts as closed by the
    // frame's close button.
    int runDialog(QDialog& dialog) override
    {
        ++dialogsRun;
        dialog.setModal(true);
        dialog.show();
        if (onDialog)
            onDialog(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    }
    std::function<void(QDialog&)> onDialog;
    int dialogsRun = 0;

    // The font dialog: each call takes the next answer; nothing left is a cancel.
    std::optional<QFont> runFontDialog(QWidget*, const QFont& initial) override
    {
        fontDialogsOpenedAt.append(initial);
        if (fontAnswers.empty())
            return std::nullopt;
        std::optional<QFont> answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    }
    std::deque<std::optional<QFont>> fontAnswers;

    // The file dialog: the next path, or a cancel when none is left.
    QString chooseFile(QWidget*, const QString&, const QString&) override
    {
        ++fileDialogs;
        if (fileAnswers.empty())
            return {};
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    std::deque<QString> fileAnswers;
    int fileDialogs = 0;
    // The save dialog: the next path, or a cancel when none is left.
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override
    {
        ++saveDialogs;
        if (saveAnswers.empty())
            return {};
        QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    std::deque<QString> saveAnswers;
    int saveDialogs = 0;
    // The progress dialog: every step is kept; the user cancels once
    // `cancelAfter` steps are done (never when negative).
    bool progressStep(QProgressDialog&, int done) override
    {
        progressSteps.append(done);
        return cancelAfter < 0 || done < cancelAfter;
    }
    QList<int> progressSteps;
    int cancelAfter = -1;

    // A4 into a PDF file, as on a machine without printers.
    QPrinter& currentPrinter() override
    {
        if (!printerForPreview) {
            printerForPreview = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printerForPreview->setOutputFormat(QPrinter::PdfFormat);
            printerForPreview->setPageSize(QPageSize(QPageSize::A4));
        }
        return *printerForPreview;
    }
    std::unique_ptr<QPrinter> printerForPreview;
    QList<QFont> fontDialogsOpenedAt;
    QList<QPair<QWidget*, QString>> hints;
    int printDialogs = 0;

    QStringList messages;
    int minimised = 0;
    QList<QWidget*> broughtToFront;
    void bringToFront(QWidget& window) override { broughtToFront.append(&window); }
    QStringList opened;
    QList<int> randomCalls;
    std::deque<int> randomScript;
};
