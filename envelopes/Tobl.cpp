#include "envelopes/Tobl.h"

#include <QAction>

const DocumentLook Tobl::Look{QStringLiteral("Obálka"), 382, 225, 356, 107, "closeF"};

Tobl::Tobl(AppState& app) : DocumentWindow(app, Look)
{
    connect(closeItem, &QAction::triggered, this, &Tobl::closeFClick);
    adoptControls();
}
