#include "ui/slips/SlipWindow.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "core/records/BankList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

SlipWindow::SlipWindow(AppState& app, const DocumentLook& look, const FormDescription& form,
                       const QColor& wordsBackground)
    : DocumentWindow(app, look, form), amount(new AmountFields(app, client(), form, wordsBackground)),
      suma(amount->suma), hal(amount->hal), slovom1(amount->slovom1), slovom2(amount->slovom2),
      slovomh(amount->slovomh)
{
    suma->setFocus();
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
