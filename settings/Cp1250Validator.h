#pragma once
// Refuses characters that code page 1250 cannot hold, so what an edit field
// shows is exactly what is stored and printed.
#include <QValidator>

class Cp1250Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
