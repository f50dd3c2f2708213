#include "ui/slips/AmountFields.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "core/print/FormDescription.h"

#include <QLineEdit>

AmountFields::AmountFields(AppState& app, QWidget* client, const FormDescription& form,
                           const QColor& wordsBackground)
    : QObject(client), app_(app), form_(form)
{
    addLabel(client, QStringLiteral("na Sk"), 136, 16);
    addLabel(client, QStringLiteral("h"), 256, 16);
    addLabel(client, QStringLiteral("0"), 285, 10, true);
    addLabel(client, QStringLiteral("slovom"), 8, 40);
    addLabel(client, QStringLiteral("Sk"), 200, 72, true);
    addLabel(client, QStringLiteral("h"), 296, 72, true);

    // Limits and first texts are the form's; the window applies its limits
    // again when it adopts its controls.
    suma = addEdit(client, "suma", 176, 8, 73, form.field(QStringLiteral("suma"))->maxLength, true, SmallFontPixels);
    suma->setText(form.initialText(QStringLiteral("suma")));
    hal = addEdit(client, "hal", 272, 8, 14, form.field(QStringLiteral("hal"))->maxLength, false, SmallFontPixels);
    hal->setText(form.initialText(QStringLiteral("hal")));

    slovom1 = addEdit(client, "slovom1", 64, 40, 241);
    slovom2 = addEdit(client, "slovom2", 3, 64, 190);
    slovomh = addEdit(client, "slovomh", 224, 64, 65, 0, false, SmallFontPixels);
    for (QLineEdit* words : {slovom1, slovom2, slovomh}) {
        words->setFocusPolicy(Qt::ClickFocus); // editable, but Tab skips it
        QPalette pal = words->palette();
        pal.setColor(QPalette::Base, wordsBackground);
        words->setPalette(pal);
    }

    // Connected after the initial texts: those are not converted on opening.
    connect(suma, &QLineEdit::textChanged, this, &AmountFields::sumaChange);
    connect(hal, &QLineEdit::textChanged, this, &AmountFields::halChange);
}

void AmountFields::sumaChange() { amountChanged(suma); }

void AmountFields::halChange() { amountChanged(hal); }

void AmountFields::amountChanged(QLineEdit* field)
{
    if (!app_.settings().flag(Flag::AutoAmountInWords))
        return;
    const QString name = field->objectName();
    const std::optional<FieldTexts> words = form_.amountWords(name, field->text());
    if (!words) {
        // The words keep what they said; the form's rule tells why.
        FieldTexts typed;
        typed.setText(name, field->text());
        const QList<FieldProblem> refused = form_.check(app_.programFolder(), typed);
        if (!refused.isEmpty())
            app_.platform.showMessage(refused.first().windowText);
        return;
    }
    for (QLineEdit* line : {slovom1, slovom2, slovomh})
        if (words->fields().contains(line->objectName()))
            line->setText(words->text(line->objectName()));
}
