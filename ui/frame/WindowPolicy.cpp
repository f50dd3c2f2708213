#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"

#include <QDialog>
#include <QWidget>

QWidget* OpenDocumentWindow(AppState& app, FormKind kind)
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

bool RunDialog(AppState& app, DialogKind kind)
{
    std::unique_ptr<QDialog> dialog = app.createDialog(kind);
    if (!dialog)
        return false;
    return app.platform.runDialog(*dialog) == QDialog::Accepted;
}

void OpenHelpFile(AppState& app)
{
    app.platform.shellOpen(app.pathInProgramFolder(QStringLiteral("pomoc.hlp")));
}
