#pragma once
// The document window of a form the user described: a caption and a control
// per field of its layout, in the file's order, printed through the same
// print gate and page renderer as the built-in forms.
#include "ui/document/DocumentWindow.h"

#include <memory>

class Tformular : public DocumentWindow {
    Q_OBJECT
public:
    Tformular(AppState& app, std::shared_ptr<const FormDescription> form);

    // The form's rules; lining the printer up needs none of its texts.
    bool readyToPrint(PrintIntent intent) override;
    // The fields that personal data fills, from the personal data.
    void FillFromPersonalData();

protected:
    void refill() override { FillFromPersonalData(); }

private:
    void amountTyped(const QString& field, const QString& text);
    std::shared_ptr<const FormDescription> held_; // what DocumentWindow's form refers to
};
