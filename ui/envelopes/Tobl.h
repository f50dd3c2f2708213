#pragma once
// The document window "Obálka": the sender's, the note's and the recipient's
// lines, a template to print them with, and the print onto the envelope.
#include "ui/document/DocumentWindow.h"
#include "core/forms/envelope/EnvelopePrint.h"

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
    bool readyToPrint(PrintIntent intent) override;

    // The three memos' lines as the print takes them.
    EnvelopeLines lines() const;

    inline static const QString CannotOpenTemplateMessage = QStringLiteral("Nepodarilo sa otvoriť šablónu obálky!!");
    inline static const QString UnusableTemplateMessage
        = QStringLiteral("Šablónu obálky „%1“ nemožno použiť: %2. Nič sa nevytlačilo.");

protected:
    // The template the print would use, or nothing after telling the user
    // why; other file errors are shown too, or else thrown.
    std::optional<EnvelopeTemplate> usableTemplate();
    void refill() override { FillEnvelopeFromPersonalData(); }

private:
    void FormCreate();
};
