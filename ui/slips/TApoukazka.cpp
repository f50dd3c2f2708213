#include "ui/slips/TApoukazka.h"

#include "ui/frame/AppState.h"
#include "core/records/PersonalJoins.h"
#include "ui/widgets/Controls.h"

#include <QComboBox>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

const DocumentLook TApoukazka::Look{305, 344, 372, 114, "closeF"};

TApoukazka::TApoukazka(AppState& app) : SlipWindow(app, Look, SlipAForm(), QColor(188, 233, 206))
{
    QWidget* c = client();
    paintClient(c, QColor(252, 255, 236), QColor(0x00, 0x80, 0x40));
    addLabel(c, QStringLiteral("A"), 8, 0, true);
    addLabel(c, QStringLiteral("Poštová"), 40, 0, true);
    addLabel(c, QStringLiteral("poukážka"), 40, 16, true);
    addLabel(c, QStringLiteral("Peňažný ústav"), 8, 104, false, SmallFontPixels);
    addLabel(c, QStringLiteral("Číslo účtu"), 160, 104, false, SmallFontPixels);
    addLabel(c, QStringLiteral("/"), 258, 122, true);
    addLabel(c, QStringLiteral("K. symbol"), 8, 144, false, SmallFontPixels);
    addLabel(c, QStringLiteral("Názov účtu adresáta"), 120, 144, false, SmallFontPixels);
    addLabel(c, QStringLiteral("Prev. pošta VAKÚP"), 8, 192, false, SmallFontPixels);
    addLabel(c, QStringLiteral("V. symbol"), 64, 243, false, SmallFontPixels);
    addLabel(c, QStringLiteral("Odosielateľ:"), 0, 275, true, SenderCaptionPixels);

    banka = addBankCombo(c, 8, 120, 145);
    cu1 = addEdit(c, "cu1", 160, 120, 97, 0, true, SmallFontPixels);
    cu2 = addEdit(c, "cu2", 264, 120, 41, 0, true, SmallFontPixels);
    ksymbol = addEdit(c, "ksymbol", 8, 160, 97, 0, false, SmallFontPixels);
    nazov_uctu = addMemo(c, "nazov_uctu", 120, 160, 185, 49);
    vakup = addEdit(c, "vakup", 48, 208, 57, 0, true, SmallFontPixels);
    vakup2 = addEdit(c, "vakup2", 120, 208, 185, 0, false, SmallFontPixels);
    vsymbol = addEdit(c, "vsymbol", 120, 240, 129, 0, false, SmallFontPixels);
    od1 = addEdit(c, "od1", 72, 272, 233, 0, true, SmallFontPixels);
    od2 = addEdit(c, "od2", 72, 296, 233, 0, true, SmallFontPixels);
    odpsc = addEdit(c, "odpsc", 8, 320, 57, 0, true, SmallFontPixels);
    od3 = addEdit(c, "od3", 72, 320, 233, 0, true, SmallFontPixels);

    connect(closeItem, &QAction::triggered, this, &TApoukazka::closeFClick);
    adoptControls();
    FormCreate();
}

void TApoukazka::FormCreate()
{
    FillFromPersonalData();
    loadBankList(banka);
}
