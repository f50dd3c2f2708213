#include "ui/slips/TDpoukazka.h"

#include "ui/frame/AppState.h"
#include "core/records/PersonalJoins.h"
#include "ui/widgets/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QAction>
#include <QLineEdit>

const DocumentLook TDpoukazka::Look{305, 273, 378, 110, "Koniecprogramu1"};

TDpoukazka::TDpoukazka(AppState& app) : SlipWindow(app, Look, SlipDForm(), QColor(0xDF, 0xC4, 0xCC))
{
    QWidget* c = client();
    paintClient(c, QColor(0xF7, 0xF7, 0xEA), QColor(0xC7, 0x2E, 0x60));
    for (auto [text, left, top] : {std::tuple{"D", 8, 0}, {"Poštová", 40, 0}, {"poukážka", 40, 16}}) {
        QLabel* l = addLabel(c, QString::fromUtf8(text), left, top, true, 16);
        QFont f = l->font();
        f.setFamily(QStringLiteral("Times New Roman"));
        l->setFont(f);
        l->adjustSize();
    }
    addSeparator(c, 96);
    addLabel(c, QStringLiteral("Adresát"), 8, 104, true, SmallFontPixels);
    addSeparator(c, 176);
    addLabel(c, QStringLiteral("Banka:"), 8, 184, true, SmallFontPixels);
    addLabel(c, QStringLiteral("skratka"), 136, 184, false, SmallFontPixels);
    addLabel(c, QStringLiteral("z účtu číslo:"), 200, 184, true, SmallFontPixels);
    addLabel(c, QStringLiteral("Odosielateľ:"), 0, 232, true, SenderCaptionPixels);

    ad1 = addEdit(c, "ad1", 72, 104, 233, 0, true);
    ad2 = addEdit(c, "ad2", 72, 128, 233, 0, true);
    adpsc = addEdit(c, "adpsc", 8, 152, 57, 0, true);
    ad3 = addEdit(c, "ad3", 72, 152, 233, 0, true);
    banka = addBankCombo(c, 0, 200, 137);
    skr = addEdit(c, "skr", 136, 200, 65, 0, false, SmallFontPixels);
    ucet = addEdit(c, "ucet", 200, 200, 105, 0, false, SmallFontPixels);
    od2 = addEdit(c, "od2", 72, 224, 233, 0, true);
    odpsc = addEdit(c, "odpsc", 8, 248, 57, 0, true);
    od3 = addEdit(c, "od3", 72, 248, 233, 0, true);

    connect(closeItem, &QAction::triggered, this, &TDpoukazka::Koniecprogramu1Click);
    adoptControls();
    FormCreate();
}

void TDpoukazka::FormCreate()
{
    FillFromPersonalData();
    loadBankList(banka);
}
