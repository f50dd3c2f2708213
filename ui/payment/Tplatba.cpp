#include "ui/payment/Tplatba.h"

#include "ui/frame/AppState.h"
#include "core/forms/payment/BankCodes.h"
#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PaymentForm.h"
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/PaymentText.h"
#include "ui/widgets/Controls.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

const DocumentLook Tplatba::Look{650, 340, 300, 90, "closeF"};

namespace {

constexpr int LabelLeft = 8, EditLeft = 140, RowPitch = 26;

} // namespace

Tplatba::Tplatba(AppState& app) : DocumentWindow(app, Look, PaymentForm())
{
    QWidget* c = client();
    paintClient(c, QColor(0xF2, 0xF2, 0xF2), QColor(0x10, 0x10, 0x10));
    int top = 8;
    auto row = [&](const QString& caption, const char* name, int width) {
        addLabel(c, caption, LabelLeft, top + 3, false, SmallFontPixels);
        QLineEdit* e = addEdit(c, name, EditLeft, top, width, 0, false, SmallFontPixels + 1);
        top += RowPitch;
        return e;
    };
    prijemca = row(QStringLiteral("Príjemca"), "prijemca", 280);
    prijemca_ulica = row(QStringLiteral("Ulica príjemcu"), "prijemca_ulica", 280);
    prijemca_mesto = row(QStringLiteral("PSČ a obec príjemcu"), "prijemca_mesto", 280);
    iban = row(QStringLiteral("IBAN"), "iban", 280);
    bic = row(QStringLiteral("BIC"), "bic", 110);
    suma = row(QStringLiteral("Suma (EUR)"), "suma", 110);
    slovom = row(QStringLiteral("Slovom"), "slovom", 500);
    slovom->setReadOnly(true);
    slovom->setFocusPolicy(Qt::NoFocus);
    vsymbol = row(QStringLiteral("Variabilný symbol"), "vsymbol", 110);
    ksymbol = row(QStringLiteral("Konštantný symbol"), "ksymbol", 110);
    ssymbol = row(QStringLiteral("Špecifický symbol"), "ssymbol", 110);
    splatnost = row(QStringLiteral("Dátum splatnosti"), "splatnost", 110);
    sprava = row(QStringLiteral("Správa pre príjemcu"), "sprava", 500);
    addLabel(c, QStringLiteral("Platiteľ (do okna obálky)"), 430, 8 + 3, false, SmallFontPixels);
    adresat = addMemo(c, "adresat", 430, 8 + RowPitch, 212, 5 * RowPitch - 8);
    // Every typed line is one line in the envelope window.
    adresat->setLineWrapMode(QPlainTextEdit::NoWrap);

    // Plain paper: there is no pre-printed form to line the printer up with.
    Zarovnanietlaiarne1->setVisible(false);
    Zarovnanietlaiarne1->setEnabled(false);
    connect(closeItem, &QAction::triggered, this, &Tplatba::closeFClick);
    connect(suma, &QLineEdit::textChanged, this, &Tplatba::amountTyped);
    connect(iban, &QLineEdit::textChanged, this, &Tplatba::ibanTyped);
    adoptControls();
    app.guarded([this] { FillFromPersonalData(); });
    amountTyped();
    prijemca->setFocus();
}

void Tplatba::FillFromPersonalData()
{
    fillControls(form().fill(app().settings(), app().personal()));
}

QString Tplatba::bankBic(const QString& ibanText) const
{
    const QString normal = NormalizeIban(ibanText);
    const QString code = SlovakBankCode(normal);
    if (code.isEmpty() || !IbanProblem(normal).isEmpty())
        return {};
    return BankCodes::load(app().programFolder()).bic(code);
}

void Tplatba::ibanTyped()
{
    // A BIC the user typed stays; one the window filled follows the IBAN.
    if (!bic->text().isEmpty() && bic->text() != autoBic_)
        return;
    autoBic_ = bankBic(iban->text());
    setFieldText(bic, autoBic_);
}

void Tplatba::amountTyped()
{
    const std::optional<qint64> cents = ParseEuroCents(suma->text());
    const bool inRange = cents && *cents >= MinPaymentCents && *cents <= MaxPaymentCents
                         && CheckPaymentField(PaymentField::suma, suma->text()).isEmpty();
    setFieldText(slovom, inRange ? AmountInWords(*cents) : QString());
}

bool Tplatba::readyToPrint(PrintIntent intent)
{
    FieldTexts texts = controlTexts();
    const QList<FieldProblem> problems = form().check(app().programFolder(), texts);
    if (!problems.isEmpty()) {
        app().platform.showMessage(problems.first().text);
        if (QWidget* field = client()->findChild<QWidget*>(problems.first().field))
            field->setFocus();
        return false;
    }
    if (texts.text("bic") != bic->text()) {
        autoBic_ = texts.text("bic");
        setFieldText(bic, autoBic_);
    }
    // A date already past may be meant (a late payment), or a slip of the keys: asked.
    if (QString warning = DueDateWarning(splatnost->text()); intent == PrintIntent::Print && !warning.isEmpty()) {
        warning[0] = warning[0].toUpper();
        if (!printing().askYesNo(warning + QStringLiteral(".\nTlačiť aj tak?"))) {
            splatnost->setFocus();
            return false;
        }
    }
    return true;
}

