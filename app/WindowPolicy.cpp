#include "app/AppState.h"
#include "app/DocumentKind.h"

#include <QWidget>

QWidget* OpenDocumentWindow(AppState& app, DocumentKind kind)
{
    if (app.settings().flag(Flag::AllowMultipleForms) || app.OpenFormCount <= 0) {
        QWidget* window = app.createWindow(kind); // fills itself while it is created
        if (!window)
            return nullptr;
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
