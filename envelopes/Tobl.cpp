#include "envelopes/Tobl.h"

const DocumentLook Tobl::Look{QStringLiteral("Obálka"), 382, 225, 356, 107, "closeF"};

Tobl::Tobl(AppState& app) : DocumentWindow(app, Look)
{
}
