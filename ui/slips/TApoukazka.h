#pragma once
// The slip A window: payment to a recipient's account; printed with R = 102 mm.
#include "ui/slips/SlipWindow.h"

class QPlainTextEdit;

class TApoukazka : public SlipWindow {
    Q_OBJECT
public:
    explicit TApoukazka(AppState& app);
    static const DocumentLook Look;

    QComboBox* banka;
    QLineEdit* cu1;
    QLineEdit* cu2;
    QLineEdit* ksymbol;
    QPlainTextEdit* nazov_uctu;
    QLineEdit* vakup;
    QLineEdit* vakup2;
    QLineEdit* vsymbol;
    QLineEdit* od1;
    QLineEdit* od2;
    QLineEdit* odpsc;
    QLineEdit* od3;

    void closeFClick() { close(); }



private:
    void FormCreate();
};
