#include "slips/TApoukazka.h"

const DocumentLook TApoukazka::Look{QStringLiteral("Poštová poukážka typu A"), 305, 344, 372, 114, "closeF"};

TApoukazka::TApoukazka(AppState& app) : SlipWindow(app, Look, QString(), QColor(188, 233, 206))
{
}
