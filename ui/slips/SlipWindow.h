#pragma once
// What the three slip windows share beyond the document window: the amount
// fields with their words lines and the bank list.
#include "ui/document/DocumentWindow.h"
#include "core/forms/slips/SlipForms.h"
#include "ui/slips/AmountFields.h"

class QComboBox;
class QLineEdit;

class SlipWindow : public DocumentWindow {
    Q_OBJECT
public:
    SlipWindow(AppState& app, const DocumentLook& look, const FormDescription& form, const QColor& wordsBackground);

    AmountFields* amount;
    QLineEdit* suma;
    QLineEdit* hal;
    QLineEdit* slovom1;
    QLineEdit* slovom2;
    QLineEdit* slovomh;

    // Empties the fields the form names for it; the amount and its words stay.
    void ClearPersonalFields();
    // Fills in the personal data as the settings say.
    void FillFromPersonalData();
    // The alignment sheet prints none of the texts: a wrong amount does not stop it.
    bool readyToPrint(PrintIntent intent) override;

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
