#pragma once
// What the three slip windows share beyond the document window: the amount
// fields with their words lines, the bank list, and the print command that
// draws the slip's layout.
#include "app/DocumentWindow.h"
#include "slips/Layout.h"
#include "words/AmountFields.h"

class QComboBox;
class QLineEdit;

class SlipWindow : public DocumentWindow {
    Q_OBJECT
public:
    SlipWindow(AppState& app, const DocumentLook& look, const QString& initialHal, const QColor& wordsBackground);

    AmountFields* amount;
    QLineEdit* suma;
    QLineEdit* hal;
    QLineEdit* slovom1;
    QLineEdit* slovom2;
    QLineEdit* slovomh;

    virtual void ClearPersonalFields() = 0;
    virtual void FillFromPersonalData() = 0;

    // The controls' texts by control name, as the print reads them.
    FieldTexts fieldTexts() const;

    virtual int referenceMm() const = 0;
    virtual std::span<const LayoutRow> slipLayout() const = 0;
    virtual std::span<const AreaSpan> slipAreas() const = 0;

    PrintOutcome printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch) override;
    PrintOutcome printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift) override;
    QString formPlacement() const override;

protected:
    void refill() override
    {
        ClearPersonalFields();
        FillFromPersonalData();
    }
    // Creates banky.cbx when missing and loads its lines as the combo's
    // items; the combo's text stays. A file error leaves the list empty.
    void loadBankList(QComboBox* combo);
};
