#include "slips/SlipWindow.h"

#include "app/AppState.h"
#include "settings/BankList.h"
#include "slips/MemoLines.h"
#include "slips/PrintCanvas.h"
#include "slips/PrintJob.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

SlipWindow::SlipWindow(AppState& app, const DocumentLook& look, const QString& initialHal,
                       const QColor& wordsBackground)
    : DocumentWindow(app, look), amount(new AmountFields(app, client(), initialHal, wordsBackground)),
      suma(amount->suma), hal(amount->hal), slovom1(amount->slovom1), slovom2(amount->slovom2),
      slovomh(amount->slovomh)
{
    suma->setFocus();
}

FieldTexts SlipWindow::fieldTexts() const
{
    auto find = [this](std::string_view field) {
        return client()->findChild<QWidget*>(QString::fromLatin1(field.data(), qsizetype(field.size())));
    };
    FieldTexts fields;
    fields.text = [find](std::string_view field) -> QString {
        QWidget* w = find(field);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            return c->currentText();
        if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            return m->toPlainText();
        return {};
    };
    fields.lines = [find](std::string_view field) -> QStringList {
        auto* memo = qobject_cast<QPlainTextEdit*>(find(field));
        return memo ? ShownLines(memo) : QStringList();
    };
    return fields;
}

void SlipWindow::Tlai1Click()
{
    std::unique_ptr<PrintCanvas> canvas = app().platform.runPrintDialog(this);
    if (!canvas)
        return; // cancelled: nothing is printed
    PrintSlip(app(), *canvas, referenceMm(), layout(), fieldTexts());
}

void SlipWindow::loadBankList(QComboBox* combo)
{
    app().guarded([&] {
        const QStringList banks = LoadOrCreateBankList(app().pathInProgramFolder(QStringLiteral("banky.cbx")));
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(banks);
        combo->setEditText(text);
    });
}
