#pragma once
// The slip D window: from the payer's account to an address; printed with R = 104 mm.
#include "ui/slips/SlipWindow.h"

class TDpoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TDpoukazka(AppState& app);
    static const DocumentLook Look;

    QLineEdit* ad1;
    QLineEdit* ad2;
    QLineEdit* adpsc;
    QLineEdit* ad3;
    QComboBox* banka;
    QLineEdit* skr;
    QLineEdit* ucet;
    QLineEdit* od2;
    QLineEdit* odpsc;
    QLineEdit* od3;

    void Koniecprogramu1Click() { close(); }


private:
    void FormCreate();
};
