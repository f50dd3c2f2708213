#pragma once
// The document window "Platba QR (PAY by square)": a payment order typed in
// and printed on plain A4 paper with its QR code, its details and the
// payer's address for a DL window envelope.
#include "ui/document/DocumentWindow.h"

class QLineEdit;
class QPlainTextEdit;

class Tplatba : public DocumentWindow {
    Q_OBJECT
public:
    explicit Tplatba(AppState& app);
    static const DocumentLook Look;

    QLineEdit *prijemca, *prijemca_ulica, *prijemca_mesto, *iban, *bic, *suma, *slovom;
    QLineEdit *vsymbol, *ksymbol, *ssymbol, *splatnost, *sprava;
    QPlainTextEdit* adresat; // the payer's name and address

    void closeFClick() { close(); }
    // The first refusal of the fields, in a message; nothing is printed then.
    // A due date already past is asked about first.
    // The payment's checks; before a print, a due date already past is asked about.
    bool readyToPrint(PrintIntent intent) override;
    // The beneficiary, the constant symbol and the account from the personal data.
    void FillFromPersonalData();

protected:
    void refill() override { FillFromPersonalData(); }

private:
    void amountTyped();
    void ibanTyped();
    QString bankBic(const QString& ibanText) const;
    QString autoBic_; // the BIC the window filled in itself, replaced as the IBAN changes
};
