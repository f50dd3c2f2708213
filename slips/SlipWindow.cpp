#include "slips/SlipWindow.h"

#include "app/AppState.h"
#include "app/Controls.h"
#include "settings/BankList.h"
#include "slips/SlipControls.h"
#include "slips/TextWrap.h"
#include "slips/PrintCanvas.h"
#include "slips/PrintJob.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

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
    // Every field the layout names, read from the control of that name; a
    // name without a control stays out, and the print refuses to start.
    FieldTexts fields;
    auto take = [&](const char* field) {
        if (!field)
            return;
        const QString name = QString::fromLatin1(field);
        QWidget* w = client()->findChild<QWidget*>(name);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            fields.setText(name, e->text());
        else if (auto* c = qobject_cast<QComboBox*>(w))
            fields.setText(name, c->currentText());
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            fields.setMemo(name, m->toPlainText(), WrapLines(m->toPlainText(), SlipMemoFont(), SlipMemoWrapWidth));
    };
    for (const LayoutRow& row : slipLayout()) {
        take(row.field);
        take(row.field2);
    }
    return fields;
}

PrintOutcome SlipWindow::printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch)
{
    return PrintSlip(canvas, SlipBaseFont(app().settings()), referenceMm(), slipLayout(), fieldTexts(), shift,
                     sketch ? slipAreas() : std::span<const AreaSpan>());
}

PrintOutcome SlipWindow::printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift)
{
    return RunPrintJob(
        canvas, SlipBaseFont(app().settings()),
        [this](PrintCanvas& c, const PageMeasures& page) {
            c.drawGuide(AlignmentSheet(slipLayout(), slipAreas(), SlipPlacement(page, referenceMm()), page));
            return true;
        },
        shift);
}

QString SlipWindow::formPlacement() const
{
    return QStringLiteral("Horný okraj formulára leží %1 mm vpravo od ľavého okraja tlačovej plochy, "
                          "ľavý okraj formulára na jej hornom okraji.")
        .arg(referenceMm());
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
