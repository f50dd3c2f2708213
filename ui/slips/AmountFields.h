#pragma once
// The amount and words fields that every slip window carries, written once:
// `suma`, `hal`, `slovom1`, `slovom2`, `slovomh` with their captions, and the
// change handlers that write the words as the user types.
#include "core/forms/slips/SlipForms.h"

#include <QObject>

class AppState;
struct FormDescription;
class QColor;
class QLineEdit;
class QWidget;

class AmountFields : public QObject {
    Q_OBJECT
public:
    // Places the fields on `client` at the positions the slip forms share.
    AmountFields(AppState& app, QWidget* client, const FormDescription& form, const QColor& wordsBackground);

    QLineEdit* suma;
    QLineEdit* hal;
    QLineEdit* slovom1;
    QLineEdit* slovom2;
    QLineEdit* slovomh;

    void sumaChange();
    void halChange();

private:
    // The words the form writes for the field's new text, or why it has none.
    void amountChanged(QLineEdit* field);
    AppState& app_;
    const FormDescription& form_;
};
