#include "ui/slips/TCpoukazka.h"

#include "ui/frame/AppState.h"
#include "core/records/PersonalJoins.h"
#include "ui/widgets/Controls.h"

#include <QAction>
#include <QLineEdit>

const DocumentLook TCpoukazka::Look{305, 258, 359, 109, "Koniecprogramu1"};

TCpoukazka::TCpoukazka(AppState& app) : SlipWindow(app, Look, SlipCForm(), QColor(0xBD, 0xC4, 0xE8))
{
    QWidget* c = client();
    paintClient(c, palette().color(QPalette::ToolTipBase), QColor(0x00, 0x00, 0xA0));
    addLabel(c, QStringLiteral("C"), 8, 0, true);
    addLabel(c, QStringLiteral("Poštová"), 40, 0, true);
    addLabel(c, QStringLiteral("poukážka"), 40, 16, true);
    addSeparator(c, 96);
    addLabel(c, QStringLiteral("Adresát"), 8, 104, true, SmallFontPixels);
    addSeparator(c, 176);
    addLabel(c, QStringLiteral("Odosielateľ:"), 0, 184, true, SenderCaptionPixels);

    ad1 = addEdit(c, "ad1", 72, 104, 233, 0, true);
    ad2 = addEdit(c, "ad2", 72, 128, 233, 0, true);
    adpsc = addEdit(c, "adpsc", 8, 152, 57, 0, true);
    ad3 = addEdit(c, "ad3", 72, 152, 233, 0, true);
    od1 = addEdit(c, "od1", 72, 184, 233, 0, true);
    od2 = addEdit(c, "od2", 72, 208, 233, 0, true);
    odpsc = addEdit(c, "odpsc", 8, 232, 57, 0, true);
    od3 = addEdit(c, "od3", 72, 232, 233, 0, true);

    connect(closeItem, &QAction::triggered, this, &TCpoukazka::Koniecprogramu1Click);
    adoptControls();
    FormCreate();
}

void TCpoukazka::FormCreate() { FillFromPersonalData(); }
