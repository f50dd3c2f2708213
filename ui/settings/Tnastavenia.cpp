#include "ui/settings/Tnastavenia.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/DialogControls.h"
#include "ui/widgets/RadioGroup.h"
#include "core/forms/envelope/TemplateList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QCheckBox* checkBox(QWidget* page, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QFrame* separator(QWidget* page)
{
    auto* line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

const QStringList OwnerItems{QStringLiteral("Osobné údaje ako adresát"), QStringLiteral("Osobné údaje ako odosielateť")};

// Whole points, also for a font given in pixels.
int pointsOf(const QFont& font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    const int points = qRound(QFontInfo(font).pointSizeF());
    return points > 0 ? points : qMax(1, qRound(font.pixelSize() * 72.0 / 96.0));
}

} // namespace

QFont Tnastavenia::initialDialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

Tnastavenia::Tnastavenia(AppState& app) : QDialog(nullptr), app_(app), dialogFont_(initialDialogFont())
{
    setObjectName(QStringLiteral("nastavenia"));
    setWindowTitle(QStringLiteral("Nastavenia programu"));
    setDialogFont(this);
    placeDialog(this, 241, 355, 364, 109);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildGeneralPage(), QStringLiteral("Všeobecné"));
    PageControl1->addTab(buildOtherPage(), QStringLiteral("Ostatné nastavenia"));
    PageControl1->addTab(buildPrintPage(), QStringLiteral("Tlač"));
    PageControl1->setCurrentIndex(0);
    // The three tabs fit the narrow dialog side by side, without scroll arrows.
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    PageControl1->tabBar()->setUsesScrollButtons(false);

    Button1 = new QPushButton(QStringLiteral("Akceptovať"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true); // Enter accepts
    Button2 = new QPushButton(QStringLiteral("Zrušiť"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(4, 4, 4, 6);
    whole->addWidget(PageControl1);
    whole->addLayout(buttons);

    connect(CheckBox5, &QCheckBox::clicked, this, &Tnastavenia::CheckBox5Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &Tnastavenia::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, &Tnastavenia::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tnastavenia::Button2Click);
    ConnectCodePageHints(this, app_.platform.hinter());
    FormCreate();
}

QWidget* Tnastavenia::buildGeneralPage()
{
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    rows->setSpacing(2);
    CheckBox1 = checkBox(page, "CheckBox1", QStringLiteral("Automaticky pridať meno a priezvisko"));
    CheckBox2 = checkBox(page, "CheckBox2", QStringLiteral("Automaticky pridať adresu"));
    CheckBox3 = checkBox(page, "CheckBox3", QStringLiteral("Pridať štát k adrese"));
    CheckBox4 = checkBox(page, "CheckBox4", QStringLiteral("Automatický prevod sumy na text"));
    CheckBox5 = checkBox(page, "CheckBox5", QStringLiteral("Pri spustení programu otvoriť"));
    auto radio = [page](const char* name, const QString& caption) {
        auto* r = new QRadioButton(caption, page);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    // One parent, so checking one unchecks the other three.
    RadioButton1 = radio("RadioButton1", QStringLiteral("poukážku typu A"));
    RadioButton2 = radio("RadioButton2", QStringLiteral("poukážku typu C"));
    RadioButton3 = radio("RadioButton3", QStringLiteral("poukážku typu D"));
    RadioButton4 = radio("RadioButton4", QStringLiteral("obálku"));
    CheckBox6 = checkBox(page, "CheckBox6", QStringLiteral("Automaticky pridať číslo účtu"));
    CheckBox7 = checkBox(page, "CheckBox7", QStringLiteral("Automaticky pridať  peňažný ústav"));
    CheckBox8 = checkBox(page, "CheckBox8", QStringLiteral("Povoliť otvorenie viacerých poukážok."));
    for (QWidget* w : {static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(CheckBox2),
                       static_cast<QWidget*>(CheckBox3), static_cast<QWidget*>(CheckBox4)})
        rows->addWidget(w);
    rows->addWidget(separator(page));
    rows->addWidget(CheckBox5);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(18);
        indented->addWidget(r);
        rows->addLayout(indented);
    }
    rows->addWidget(separator(page));
    for (QCheckBox* b : {CheckBox6, CheckBox7, CheckBox8})
        rows->addWidget(b);
    rows->addStretch();
    return page;
}

QWidget* Tnastavenia::buildOtherPage()
{
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    rows->setSpacing(3);
    a = new RadioGroup("a", QStringLiteral("Poukážka typu A"), OwnerItems, page);
    CheckBox9 = checkBox(page, "CheckBox9", QStringLiteral("Vkladať konštantný symbol"));
    c = new RadioGroup("c", QStringLiteral("Poukážka typu C"), OwnerItems, page);
    d = new RadioGroup("d", QStringLiteral("Poukážka typu D"), OwnerItems, page);
    ob = new RadioGroup("ob", QStringLiteral("Obálka"), OwnerItems, page);
    ComboBox1 = makeCombo(page, "ComboBox1");
    rows->addWidget(a);
    rows->addWidget(CheckBox9);
    rows->addWidget(c);
    rows->addWidget(d);
    rows->addWidget(ob);
    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(makeLabel(page, QStringLiteral("Šablóna obálky"), ComboBox1));
    templateRow->addWidget(ComboBox1, 1);
    rows->addLayout(templateRow);
    rows->addStretch();
    return page;
}

QWidget* Tnastavenia::buildPrintPage()
{
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QStringLiteral(" Font pre tlač "), page);
    Edit1 = makeEdit(frame, "Edit1");
    Edit1->setReadOnly(true);
    Edit2 = makeEdit(frame, "Edit2");
    Edit2->setReadOnly(true);
    Edit2->setFixedWidth(36);
    SpeedButton1 = new QToolButton(frame);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setToolTip(QStringLiteral("Vybrať písmo"));
    auto* fontRow = new QHBoxLayout(frame);
    fontRow->addWidget(Edit1, 1);
    fontRow->addWidget(Edit2);
    fontRow->addWidget(SpeedButton1);
    rows->addWidget(frame);
    // A new user comes here to fix the print: say what the font is for.
    auto* use = new QLabel(QStringLiteral("Týmto písmom a v tejto veľkosti sa tlačia poukážky. "
                                          "Písmo vyberiete tlačidlom „...“."),
                           page);
    use->setObjectName(QStringLiteral("printFontUse"));
    use->setWordWrap(true);
    rows->addWidget(use);
    auto* note = new QLabel(QStringLiteral("! Pri tlači obálok je veľkosť písma predvolená !"), page);
    note->setObjectName(QStringLiteral("envelopeNote"));
    note->setWordWrap(true);
    note->setFrameShape(QFrame::Panel);
    note->setFrameShadow(QFrame::Sunken);
    QFont small = note->font();
    small.setPixelSize(9);
    note->setFont(small);
    rows->addWidget(note);
    rows->addStretch();
    return page;
}

QCheckBox* Tnastavenia::checkBoxOfFlag(int index) const
{
    QCheckBox* const byFlag[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5,
                                 CheckBox6, CheckBox7, CheckBox8, CheckBox9};
    return byFlag[index];
}

void Tnastavenia::FormCreate()
{
    const ProgramSettings& s = app_.settings();
    for (int i = 0; i <= static_cast<int>(Flag::AddConstantSymbol); ++i)
        checkBoxOfFlag(i)->setChecked(s.flag(i));
    // Set in order: checking one unchecks the others, so the last set flag wins.
    QRadioButton* const starts[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    for (int i = 0; i < 4; ++i)
        if (s.flag(static_cast<int>(Flag::StartWithSlipA) + i))
            starts[i]->setChecked(true);
    // Each group's first flag, then its second: item 1 wins when both are set.
    RadioGroup* const groups[] = {a, c, d, ob};
    for (int g = 0; g < 4; ++g) {
        const int first = static_cast<int>(Flag::SlipAOwnerIsRecipient) + 2 * g;
        groups[g]->setItemIndex(-1);
        for (int i = 0; i < 2; ++i)
            if (s.flag(first + i))
                groups[g]->setItemIndex(i);
    }
    ComboBox1->addItems(ListTemplates(app_.pathInProgramFolder(QStringLiteral("data"))));
    setFieldText(ComboBox1, fromCp1250(s.envelopeTemplateName()));
    setFieldText(Edit1, fromCp1250(s.printFontName()));
    setFieldText(Edit2, QString::number(s.printFontSize()));
    CheckBox5Click();
}

void Tnastavenia::CheckBox5Click()
{
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        r->setEnabled(CheckBox5->isChecked());
}

void Tnastavenia::SpeedButton1Click()
{
    const std::optional<QFont> chosen = app_.platform.runFontDialog(this, dialogFont_);
    if (!chosen)
        return;
    // Only face and size are kept; a face the record cannot hold is refused
    // rather than stored changed.
    if (!fitsCp1250(chosen->family())) {
        app_.platform.showMessage(UnstorableFontMessage.arg(chosen->family()));
        return;
    }
    dialogFont_ = *chosen;
    setFieldText(Edit1, chosen->family());
    setFieldText(Edit2, QString::number(pointsOf(*chosen)));
}

void Tnastavenia::Button1Click()
{
    ProgramSettings& s = app_.settings();
    for (int i = 0; i <= static_cast<int>(Flag::AddConstantSymbol); ++i)
        s.setFlag(i, checkBoxOfFlag(i)->isChecked());
    QRadioButton* const starts[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    for (int i = 0; i < 4; ++i) // whether or not they are enabled
        s.setFlag(static_cast<int>(Flag::StartWithSlipA) + i, starts[i]->isChecked());
    for (int f = static_cast<int>(Flag::SlipAOwnerIsRecipient); f <= static_cast<int>(Flag::EnvelopeOwnerIsSender); ++f)
        s.setFlag(f, false);
    RadioGroup* const groups[] = {a, c, d, ob};
    for (int g = 0; g < 4; ++g)
        if (groups[g]->itemIndex() >= 0)
            s.setFlag(static_cast<int>(Flag::SlipAOwnerIsRecipient) + 2 * g + groups[g]->itemIndex(), true);
    s.setEnvelopeTemplateName(cutToShort(toCp1250(ComboBox1->currentText())));
    s.setPrintFontName(cutToShort(toCp1250(Edit1->text())));
    bool ok = false;
    const int size = Edit2->text().toInt(&ok);
    if (ok)
        s.setPrintFontSize(size);
    // A failed save is shown and the dialog stays open.
    if (app_.guarded([this] { app_.records.SaveSettings(); }))
        accept();
}

void Tnastavenia::Button2Click() { reject(); }
