#pragma once
// A spin edit with no minimum or maximum: any 32-bit value, negative ones and
// 0 included. It takes digits with an optional sign; a text that is not a
// whole number in that range (empty, a lone sign, too many digits) reads as 0.
#include <QSpinBox>

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // The value the text stands for, read from the text as it is now.
    int readValue() const;
    // The field inside, where the user types.
    QLineEdit* editor() const { return lineEdit(); }

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void fixup(QString& input) const override;
};
