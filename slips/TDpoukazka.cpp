#include "slips/TDpoukazka.h"

const DocumentLook TDpoukazka::Look{QStringLiteral("Poštová poukážka typu D"), 305, 273, 378, 110, "Koniecprogramu1"};

TDpoukazka::TDpoukazka(AppState& app) : SlipWindow(app, Look, QStringLiteral("0"), QColor(0xDF, 0xC4, 0xCC))
{
}
