#include "ui/slips/AmountFields.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "core/print/FormDescription.h"
#include "core/words/WordsLines.h"

#include <QLineEdit>

AmountFields::AmountFields(AppState& app, QWidget* client, const FormDescription& form,
                           const QColor& wordsBackground)
    : QObject(client), app_(app)
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

void AmountFields::sumaChange()
{
    if (!app_.settings().flag(Flag::AutoAmountInWords))
        return;
    const auto lines = CrownsInWords(toCp1250(suma->text()));
    if (!lines) {
        app_.platform.showMessage(DigitErrorPrefix + suma->text());
        return;
    }
    slovom1->setText(fromCp1250(lines->slovom1));
    slovom2->setText(fromCp1250(lines->slovom2));
}

void AmountFields::halChange()
{
    if (!app_.settings().flag(Flag::AutoAmountInWords))
        return;
    const auto line = HellersInWords(toCp1250(hal->text()));
    if (!line) {
        app_.platform.showMessage(DigitErrorPrefix + hal->text());
        return;
    }
    slovomh->setText(fromCp1250(*line));
}
