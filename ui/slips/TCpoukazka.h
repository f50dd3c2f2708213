#pragma once
// The slip C window: amount, words, recipient and sender; printed with R = 102 mm.
#include "ui/slips/SlipWindow.h"

class TCpoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TCpoukazka(AppState& app);
    static const DocumentLook Look;

    QLineEdit* ad1;
    QLineEdit* ad2;
    QLineEdit* adpsc;
    QLineEdit* ad3;
    QLineEdit* od1;
    QLineEdit* od2;
    QLineEdit* odpsc;
    QLineEdit* od3;

    void Koniecprogramu1Click() { close(); }


private:
    void FormCreate();
};
