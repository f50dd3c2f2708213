#include "ui/envelopes/Tsablona.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/DialogControls.h"
#include "ui/envelopes/EnvelopePictures.h"
#include "core/forms/envelope/EnvelopePrint.h"
#include "ui/widgets/SpinEdit.h"
#include "core/forms/envelope/TemplateName.h"
#include "printer/ChosenPrinter.h"
#include "core/print/PrinterShift.h"
#include "core/print/QtPrintCanvas.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

namespace {

constexpr int TextLeft = 128;
constexpr int TextWidth = 277; // to 8 pixels short of the right edge

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, bool bold = false)
{
    QLabel* l = makeLabel(parent, text, nullptr, bold);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

// A label that may take two lines: as wide as the text column, as high as its text.
void fitText(QLabel* l, const QString& text)
{
    l->setText(text);
    l->setWordWrap(true);
    l->resize(TextWidth, l->heightForWidth(TextWidth));
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 168, 75, 25);
    return b;
}

} // namespace

Tsablona::Tsablona(AppState& app) : QDialog(nullptr), app_(app)
{
    setObjectName(QStringLiteral("sablona"));
    setWindowTitle(Caption);
    setDialogFont(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(413, 200);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 120, 200);
    Image1->setPixmap(Pictures::wizardSide(QSize(120, 200)));

    Label2 = label(this, "Label2", QStringLiteral("Pomocou tohto sprievodcu vytvoríte šablónu"), TextLeft, 8);
    Label3 = label(this, "Label3", QStringLiteral("aj pre neštandardné veľkosti obálok."), TextLeft, 22);
    Label1 = label(this, "Label1", QString(), TextLeft, 44, true);
    Label6 = label(this, "Label6", QString(), TextLeft, 76);
    Label7 = label(this, "Label7", QString(), 256, 76);
    SpinEdit2 = new SpinEdit(this);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setGeometry(TextLeft, 90, 80, 21);
    SpinEdit1 = new SpinEdit(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(256, 90, 80, 21);
    Label4 = label(this, "Label4", QStringLiteral("mm"), 212, 93);
    Label5 = label(this, "Label5", QStringLiteral("mm"), 340, 93);
    Label8 = label(this, "Label8", QString(), TextLeft, 118);
    Edit1 = makeEdit(this, "Edit1");
    Edit1->setGeometry(TextLeft, 136, 208, 21);

    Button2 = button(this, "Button2", QStringLiteral("Späť"), 168);
    Button1 = button(this, "Button1", QStringLiteral("Pokračovať"), 249);
    Button3 = button(this, "Button3", QStringLiteral("Zrušiť"), 330);
    Button1->setDefault(true); // Enter goes on

    setTabChain({SpinEdit2, SpinEdit1, Edit1, Button2, Button1, Button3});
    connect(Button1, &QPushButton::clicked, this, &Tsablona::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tsablona::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tsablona::Button3Click);
    ConnectCodePageHints(this, app_.platform.hinter());
    FormCreate();
    SpinEdit2->setFocus();
}

void Tsablona::FormCreate()
{
    WizardStep = 0;
    template_ = EnvelopeTemplate{0, 0, 11, 9};
    Button1Click();
}

void Tsablona::showSizePage()
{
    Button2->setEnabled(false);
    Button1->setEnabled(true);
    fitText(Label1, QStringLiteral("Prosím zadajte rozmery obálky (v milimetroch)."));
    fitText(Label8, QStringLiteral("meno šablóny (napr. 16x22 )"));
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Label8, SpinEdit1, SpinEdit2})
        w->show();
    SpinEdit2->setValue(template_.WidthMm);
    SpinEdit1->setValue(template_.HeightMm);
    Label4->setText(QStringLiteral("mm"));
    Label5->setText(QStringLiteral("mm"));
    Label6->setText(QStringLiteral("šírka obálky"));
    Label7->setText(QStringLiteral("výška obálky"));
    for (QLabel* l : {Label4, Label5, Label6, Label7}) {
        l->adjustSize();
        l->show();
    }
}

void Tsablona::showFontPage()
{
    Button1->setEnabled(true);
    Button2->setEnabled(true);
    fitText(Label1, QStringLiteral("Zadajte veľkosť písma pri tlači. "));
    fitText(Label8, QStringLiteral("Prednastavené sú štandardné veľkosti.\nZelvana sú tlačené veľkosťou 9"));
    Edit1->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Label8, SpinEdit1, SpinEdit2})
        w->show();
    SpinEdit2->setValue(template_.RecipientFontSize);
    SpinEdit1->setValue(template_.SenderFontSize);
    Label6->setText(QStringLiteral("Písmo adresáta"));
    Label7->setText(QStringLiteral("Písmo odosielateľa"));
    Label4->hide();
    Label5->hide();
    for (QLabel* l : {Label6, Label7}) {
        l->adjustSize();
        l->show();
    }
    SpinEdit2->setFocus();
}

void Tsablona::finish()
{
    Button1->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, SpinEdit1, SpinEdit2, Label4, Label5, Label6, Label7})
        w->hide();
    Label8->show();
    written_ = writeTemplate();
    if (written_) {
        Button3->setText(QStringLiteral("Dokončiť"));
        fitText(Label1, QStringLiteral("Nová šablóna pre obálky bola vytvorená"));
        fitText(Label8, QStringLiteral("Táto šablóna bude dostupná až pri nasledujúcom\notvorení formuláru."));
        // Going back would only offer to write the same template again.
        Button2->setEnabled(false);
    } else {
        // Nothing was made: the user may go back and try again, or cancel.
        Button3->setText(QStringLiteral("Zrušiť"));
        fitText(Label1, NotWrittenLine);
        fitText(Label8, NotWrittenNote);
        Button2->setEnabled(true);
    }
    Button3->setFocus();
}

void Tsablona::tellWhenLargerThanPage()
{
    // Told, not refused: the envelopes may be meant for another printer.
    QPrinter& printer = app_.platform.currentPrinter();
    const QString why = EnvelopeOffPage(template_, QtPrintCanvas(printer).measures());
    if (why.isEmpty())
        return;
    const QString name = ShiftNameOf(printer);
    app_.platform.showMessage(
        QStringLiteral("Obálka %1 × %2 mm sa nezmestí na stranu %3: %4. Čo je mimo tlačovej plochy, sa "
                       "nevytlačí, napríklad odosielateľ. Rozmery zmeníte tlačidlom „Späť“.")
            .arg(template_.WidthMm)
            .arg(template_.HeightMm)
            .arg(name == PdfPrinterName ? QStringLiteral("súboru PDF") : QStringLiteral("tlačiarne „%1“").arg(name), why));
}

bool Tsablona::writeTemplate()
{
    const QString name = Edit1->text();
    if (const QString problem = TemplateNameProblem(name); !problem.isEmpty()) {
        app_.platform.showMessage(problem);
        return false;
    }
    const QString path = TemplatePath(app_.programFolder(), name + QStringLiteral(".obl"));
    return app_.guarded([&] { WriteTemplateFile(QFile::encodeName(path).toStdString(), template_); });
}

void Tsablona::Button1Click()
{
    switch (WizardStep) {
    case 0:
        showSizePage();
        break;
    case 1:
        // The name is checked before the page is left, so the user can mend it here.
        if (const QString problem = TemplateNameProblem(Edit1->text()); !problem.isEmpty()) {
            app_.platform.showMessage(problem);
            Edit1->setFocus();
            Edit1->selectAll();
            return;
        }
        template_.WidthMm = SpinEdit2->readValue();
        template_.HeightMm = SpinEdit1->readValue();
        tellWhenLargerThanPage();
        showFontPage();
        break;
    case 2:
        template_.RecipientFontSize = SpinEdit2->readValue();
        template_.SenderFontSize = SpinEdit1->readValue();
        finish();
        break;
    default:
        return; // the last page has no next one
    }
    WizardStep += 1;
}

void Tsablona::Button2Click()
{
    if (WizardStep == 2) {
        // Page 2 back to page 1: the size as it was taken, the fonts forgotten.
        WizardStep -= 2;
        Button1Click();
    } else if (WizardStep == 3 && !written_) {
        // After a failed write, back to the fonts as they were typed.
        WizardStep = 2;
        showFontPage();
    }
}

void Tsablona::Button3Click() { done(written_ ? QDialog::Accepted : QDialog::Rejected); }
