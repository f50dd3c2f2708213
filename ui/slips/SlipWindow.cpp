#include "ui/slips/SlipWindow.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "core/records/BankList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

SlipWindow::SlipWindow(AppState& app, const DocumentLook& look, const FormDescription& form,
                       const QColor& wordsBackground)
    : DocumentWindow(app, look, form), amount(new AmountFields(app, client(), form, wordsBackground)),
      suma(amount->suma), hal(amount->hal), slovom1(amount->slovom1), slovom2(amount->slovom2),
      slovomh(amount->slovomh)
{
    suma->setFocus();
}

void SlipWindow::ClearPersonalFields()
{
    for (const char* name : form().clearedFields) {
        QWidget* w = client()->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(QString());
        else if (auto* line = qobject_cast<QLineEdit*>(w))
            line->clear();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            memo->clear();
    }
}

void SlipWindow::FillFromPersonalData() { fillControls(form().fill(app().settings(), app().personal())); }

bool SlipWindow::readyToPrint(PrintIntent intent)
{
    return intent == PrintIntent::Alignment || DocumentWindow::readyToPrint(intent);
}

void SlipWindow::loadBankList(QComboBox* combo)
{
    app().guarded([&] {
        const QStringList banks = LoadOrCreateBankList(app().pathInProgramFolder(QStringLiteral("banky.cbx")));
        const QString text = combo->currentText();
        combo->clear();
        combo->addItems(banks);
        setFieldText(combo, text);
        // The list opens wide enough to read the banks' names.
        int widest = 0;
        for (const QString& bank : banks)
            widest = std::max(widest, combo->view()->fontMetrics().horizontalAdvance(bank));
        combo->view()->setMinimumWidth(widest + 2 * combo->view()->frameWidth() + 24);
    });
}
