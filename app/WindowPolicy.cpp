#include "app/AppState.h"
#include "app/DocumentKind.h"
#include "envelopes/Tobl.h"
#include "slips/TApoukazka.h"
#include "slips/TCpoukazka.h"
#include "slips/TDpoukazka.h"

static QWidget* createWindow(AppState& app, DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::SlipA:
        return new TApoukazka(app);
    case DocumentKind::SlipC:
        return new TCpoukazka(app);
    case DocumentKind::SlipD:
        return new TDpoukazka(app);
    case DocumentKind::Envelope:
        return new Tobl(app);
    }
    return nullptr;
}

QWidget* OpenDocumentWindow(AppState& app, DocumentKind kind)
{
    if (app.settings().flag(Flag::AllowMultipleForms) || app.OpenFormCount <= 0) {
        QWidget* window = createWindow(app, kind); // fills itself while it is created
        window->show();
        app.OpenFormCount += 1;
        return window;
    }
    app.platform.showMessage(PolicyMessage);
    return nullptr;
}

void OpenHelpFile(AppState& app)
{
    app.platform.shellOpen(app.pathInProgramFolder(QStringLiteral("pomoc.hlp")));
}
