#pragma once
// The document window "Obálka": the sender's, the note's and the recipient's
// lines, a template to print them with, and the print onto the envelope.
#include "app/DocumentWindow.h"
#include "envelopes/EnvelopePrint.h"

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

class Tobl : public DocumentWindow {
    Q_OBJECT
public:
    explicit Tobl(AppState& app);
    static const DocumentLook Look;

    QPlainTextEdit* od;   // sender
    QPlainTextEdit* pozn; // note, under the sender
    QPlainTextEdit* adr;  // recipient, bold
    QComboBox* sablona;   // template file name, with its extension
    QListWidget* FileListBox1; // hidden: the template files found at creation
    QLabel* Image1;

    void closeFClick() { close(); }
    // Empties adr and od and fills them from the personal data as the
    // settings say; pozn keeps its text.
    void FillEnvelopeFromPersonalData();
    void Tlai1Click() override;
    PrintOutcome printOn(PrintCanvas& canvas, const FormShift& shift, bool sketch) override;
    PrintOutcome printAlignmentSheet(PrintCanvas& canvas, const FormShift& shift) override;
    QString formPlacement() const override;
    bool readyToPrint() override;
    std::optional<DocumentForm> batchForm() const override { return DocumentForm::Envelope; }

    // The three memos' lines as the print takes them.
    EnvelopeLines lines() const;

    inline static const QString CannotOpenTemplateMessage = QStringLiteral("Nepodarilo sa otvoriť šablónu obálky!!");

protected:
    void refill() override { FillEnvelopeFromPersonalData(); }

private:
    void FormCreate();
    // The chosen template, read afresh; nothing when its name or file is unusable.
    std::optional<EnvelopeTemplate> chosenTemplate() const;
};
