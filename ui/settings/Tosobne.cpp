#include "ui/settings/Tosobne.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/DialogControls.h"
#include "core/records/BankList.h"
#include "core/base/ShortString.h"
#include "core/words/AmountToWords.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QGridLayout* compactGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    return grid;
}

QString storedText(const PersonalData& p, Personal field) { return fromCp1250(p.get(field)); }

// A field holds no more than its slot of the record keeps: 255 characters
// of code page 1250, one byte each.
void limitToRecord(std::initializer_list<QLineEdit*> edits)
{
    for (QLineEdit* e : edits)
        e->setMaxLength(int(ShortString::Capacity));
}

} // namespace

Tosobne::Tosobne(AppState& app) : QDialog(nullptr), app_(app)
{
    setObjectName(QStringLiteral("osobne"));
    setWindowTitle(QStringLiteral("Osobné údaje"));
    setDialogFont(this);
    placeDialog(this, 209, 286, 267, 115);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildAddressPage(), QStringLiteral("Adresa"));
    PageControl1->addTab(buildOtherPage(), QStringLiteral("Ostatné údaje"));
    PageControl1->setCurrentIndex(0);

    BitBtn1 = new QPushButton(QStringLiteral("Akceptovať"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true); // Enter accepts
    BitBtn2 = new QPushButton(QStringLiteral("Zrušiť"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(4, 4, 4, 6);
    whole->addWidget(PageControl1);
    whole->addLayout(buttons);

    setTabChain({meno, priezvisko, ulica, cd, mesto, psc, stat, titul, PU, SpeedButton1, CU, nazov, ksymbol, PV, pv2,
                 BitBtn1, BitBtn2});
    connect(SpeedButton1, &QToolButton::clicked, this, &Tosobne::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &Tosobne::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tosobne::BitBtn2Click);
    ConnectCodePageHints(this, app_.platform.hinter());
    FormCreate();
    meno->setFocus();
}

QWidget* Tosobne::buildAddressPage()
{
    auto* page = new QWidget;
    titul = makeEdit(page, "titul");
    meno = makeEdit(page, "meno");
    priezvisko = makeEdit(page, "priezvisko");
    ulica = makeEdit(page, "ulica");
    cd = makeEdit(page, "cd");
    mesto = makeEdit(page, "mesto");
    psc = makeEdit(page, "psc", 5);
    stat = makeEdit(page, "stat");
    limitToRecord({titul, meno, priezvisko, ulica, cd, mesto, stat});
    for (QLineEdit* narrow : {titul, cd, psc})
        narrow->setFixedWidth(narrow == titul ? 40 : 56);
    auto* rows = new QVBoxLayout(page);
    rows->setContentsMargins(6, 6, 6, 6);
    rows->setSpacing(4);
    // Each row: captions above their fields; the wide fields share what the narrow leave.
    auto row = [&](std::initializer_list<std::pair<QString, QLineEdit*>> fields) {
        auto* line = new QHBoxLayout;
        line->setSpacing(6);
        for (const auto& [caption, field] : fields) {
            auto* column = new QVBoxLayout;
            column->setSpacing(1);
            column->addWidget(makeLabel(page, caption, field));
            column->addWidget(field);
            line->addLayout(column, field->minimumWidth() == field->maximumWidth() ? 0 : 1);
        }
        rows->addLayout(line);
    };
    row({{QStringLiteral("Titul"), titul}, {QStringLiteral("Meno"), meno}, {QStringLiteral("Priezvisko"), priezvisko}});
    row({{QStringLiteral("Názov ulice"), ulica}, {QStringLiteral("číslo domu"), cd}});
    row({{QStringLiteral("Mesto/obec"), mesto}, {QStringLiteral("PSČ"), psc}});
    row({{QStringLiteral("Štát"), stat}});
    rows->addStretch();
    return page;
}

QWidget* Tosobne::buildOtherPage()
{
    auto* page = new QWidget;
    auto* grid = compactGrid(page);
    PU = makeCombo(page, "PU");
    SpeedButton1 = new QToolButton(page);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("+"));
    SpeedButton1->setToolTip(QStringLiteral("Pridať banku do zoznamu"));
    CU = makeEdit(page, "CU");
    nazov = makeMemo(page, "nazov", 2);
    ksymbol = makeEdit(page, "ksymbol");
    PV = makeEdit(page, "PV", 5);
    PV->setFixedWidth(44);
    pv2 = makeEdit(page, "pv2");
    limitToRecord({CU, ksymbol, pv2, PU->lineEdit()});
    limitStoredText(nazov, int(ShortString::Capacity));
    grid->addWidget(makeLabel(page, QStringLiteral("Predvolený peňažný ústav"), PU), 0, 0, 1, 2);
    auto* bankRow = new QHBoxLayout;
    bankRow->addWidget(PU, 1);
    bankRow->addWidget(SpeedButton1);
    grid->addLayout(bankRow, 1, 0, 1, 2);
    grid->addWidget(makeLabel(page, QStringLiteral("Ćíslo účtu"), CU), 2, 0, 1, 2);
    grid->addWidget(CU, 3, 0, 1, 2);
    grid->addWidget(makeLabel(page, QStringLiteral("Názov účtu adresáta"), nazov), 4, 0, 1, 2);
    grid->addWidget(nazov, 5, 0, 1, 2);
    grid->addWidget(makeLabel(page, QStringLiteral("K. symbol"), ksymbol), 6, 0, 1, 2);
    grid->addWidget(ksymbol, 7, 0, 1, 2);
    grid->addWidget(makeLabel(page, QStringLiteral("Prev. pošta VAKÚP"), PV, true), 8, 0, 1, 2);
    grid->addWidget(PV, 9, 0);
    grid->addWidget(pv2, 9, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(10, 1);
    return page;
}

QString Tosobne::bankListPath() const { return app_.pathInProgramFolder(QStringLiteral("banky.cbx")); }

void Tosobne::FormCreate()
{
    const PersonalData& p = app_.personal();
    const std::pair<QLineEdit*, Personal> edits[] = {
        {meno, Personal::meno}, {priezvisko, Personal::priezvisko}, {titul, Personal::titul}, {psc, Personal::psc},
        {ulica, Personal::ulica}, {mesto, Personal::mesto},         {cd, Personal::cd},       {stat, Personal::stat},
        {CU, Personal::CU},     {ksymbol, Personal::ksymbol},       {PV, Personal::PV},       {pv2, Personal::pv2}};
    for (const auto& [edit, field] : edits)
        setFieldText(edit, storedText(p, field));
    QString name = storedText(p, Personal::nazov);
    name.replace(QLatin1String("\r\n"), QLatin1String("\n")); // stored with CR LF between its lines
    nazov->setPlainText(name);
    // The list comes from the file; the stored bank is the text either way.
    app_.guarded([&] { PU->addItems(LoadOrCreateBankList(bankListPath())); });
    setFieldText(PU, storedText(p, Personal::PU));
}

void Tosobne::SpeedButton1Click()
{
    const QString bank = PU->currentText();
    if (bank.isEmpty())
        return;
    for (int i = 0; i < PU->count(); ++i)
        if (PU->itemText(i) == bank) // exact, so other letter case is another bank
            return;
    PU->addItem(bank);
    setFieldText(PU, bank);
}

void Tosobne::BitBtn1Click()
{
    // The postcode is checked before anything is stored, so a refused accept
    // leaves the record as it was.
    if (!IsAllDigits(toCp1250(psc->text())) || psc->text().size() > 5) {
        app_.platform.showMessage(PostcodeMessage);
        PageControl1->setCurrentIndex(0);
        psc->setFocus();
        psc->selectAll();
        return;
    }
    PersonalData& p = app_.personal();
    auto store = [&](Personal field, const QString& text) { p.set(field, cutToShort(toCp1250(text))); };
    const std::pair<QLineEdit*, Personal> edits[] = {
        {meno, Personal::meno}, {priezvisko, Personal::priezvisko}, {ulica, Personal::ulica}, {mesto, Personal::mesto},
        {cd, Personal::cd},     {stat, Personal::stat},             {psc, Personal::psc},     {CU, Personal::CU},
        {ksymbol, Personal::ksymbol}, {titul, Personal::titul},     {PV, Personal::PV},       {pv2, Personal::pv2}};
    for (const auto& [edit, field] : edits)
        store(field, edit->text());
    store(Personal::PU, PU->currentText());
    QString name = nazov->toPlainText();
    name.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    store(Personal::nazov, name);

    QStringList banks;
    for (int i = 0; i < PU->count(); ++i)
        banks << PU->itemText(i);
    // A failed save is shown and the dialog stays open.
    const bool saved = app_.guarded([&] {
        app_.records.SavePersonalData();
        SaveBankList(bankListPath(), banks);
    });
    if (saved)
        accept();
}

void Tosobne::BitBtn2Click() { reject(); }
