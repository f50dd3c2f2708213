#include "slips/TCpoukazka.h"

const DocumentLook TCpoukazka::Look{QStringLiteral("Poštová poukážka typu C"), 305, 258, 359, 109, "Koniecprogramu1"};

TCpoukazka::TCpoukazka(AppState& app) : SlipWindow(app, Look, QStringLiteral("0"), QColor(0xBD, 0xC4, 0xE8))
{
}
