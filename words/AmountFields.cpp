#include "words/AmountFields.h"

#include "app/AppState.h"
#include "settings/Cp1250Validator.h"
#include "words/WordsLines.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// 8 pt in the figures and the hellers words, 10 pt elsewhere.
constexpr int SmallPixels = 11;
constexpr int LargePixels = 13;

void setPixelFont(QWidget* w, int pixels, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    w->setFont(f);
}

QLineEdit* edit(QWidget* parent, const char* name, int left, int top, int width, int pixels, bool bold = false)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(left, top, width, 21);
    e->setValidator(new Cp1250Validator(e));
    setPixelFont(e, pixels, bold);
    return e;
}

void caption(QWidget* parent, const QString& text, int left, int top, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    setPixelFont(label, LargePixels, bold);
    label->adjustSize();
}

} // namespace

AmountFields::AmountFields(AppState& app, QWidget* client, const QString& initialHal, const QColor& wordsBackground)
    : QObject(client), app_(app)
{
    caption(client, QStringLiteral("na Sk"), 136, 16);
    caption(client, QStringLiteral("h"), 256, 16);
    caption(client, QStringLiteral("0"), 285, 10, true);
    caption(client, QStringLiteral("slovom"), 8, 40);
    caption(client, QStringLiteral("Sk"), 200, 72, true);
    caption(client, QStringLiteral("h"), 296, 72, true);

    suma = edit(client, "suma", 176, 8, 73, SmallPixels, true);
    suma->setMaxLength(6);
    suma->setText(QStringLiteral("0"));
    hal = edit(client, "hal", 272, 8, 14, SmallPixels);
    hal->setMaxLength(1);
    hal->setText(initialHal);

    slovom1 = edit(client, "slovom1", 64, 40, 241, LargePixels);
    slovom2 = edit(client, "slovom2", 3, 64, 190, LargePixels);
    slovomh = edit(client, "slovomh", 224, 64, 65, SmallPixels);
    for (QLineEdit* words : {slovom1, slovom2, slovomh}) {
        words->setFocusPolicy(Qt::ClickFocus); // editable, but Tab skips it
        QPalette pal = words->palette();
        pal.setColor(QPalette::Base, wordsBackground);
        pal.setColor(QPalette::Text, Qt::black);
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
