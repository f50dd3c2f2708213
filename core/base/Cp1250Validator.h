#pragma once
// Refuses text that code page 1250 cannot hold, so what an edit field shows is
// exactly what is stored and printed. A refused input is dropped whole.
#include <QValidator>

class Cp1250Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

signals:
    void refused() const; // the field kept its text; tell the user why
};
