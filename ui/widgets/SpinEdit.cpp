#include "ui/widgets/SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <limits>

namespace {
int wholeNumberOrZero(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok); // C locale: no group separators
    return ok ? value : 0;
}
} // namespace

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setValue(0);
}

int SpinEdit::readValue() const { return wholeNumberOrZero(text()); }

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    // Every text the keys can make counts, so the value always follows the text.
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]*$"));
    return digits.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

int SpinEdit::valueFromText(const QString& text) const { return wholeNumberOrZero(text); }

QString SpinEdit::textFromValue(int value) const { return QString::number(value); }

void SpinEdit::fixup(QString&) const {}
