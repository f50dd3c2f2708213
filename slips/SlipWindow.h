#pragma once
// What the three slip windows share beyond the document window: the amount
// fields with their words lines.
#include "app/DocumentWindow.h"
#include "words/AmountFields.h"

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
};
