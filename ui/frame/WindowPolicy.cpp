#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"

#include "core/forms/user/UserForm.h"

#include <QDialog>
#include <QWidget>

namespace {

template <typename Make>
QWidget* openUnderPolicy(AppState& app, Make make)
{
    if (app.settings().flag(Flag::AllowMultipleForms) || app.OpenFormCount <= 0) {
        QWidget* window = make(); // fills itself while it is created
        if (!window)
            return nullptr;
        window->show();
        app.OpenFormCount += 1;
        return window;
    }
    app.platform.showMessage(PolicyMessage);
    return nullptr;
}

} // namespace

QWidget* OpenDocumentWindow(AppState& app, FormKind kind)
{
    return openUnderPolicy(app, [&] { return app.createWindow(kind); });
}

QWidget* OpenUserForm(AppState& app, const QString& path)
{
    return openUnderPolicy(app, [&]() -> QWidget* {
        const UserFormRead read = LoadUserForm(path, app.programFolder());
        if (!read.form) {
            app.platform.showMessage(read.error);
            return nullptr;
        }
        if (!read.warnings.isEmpty())
            app.platform.showMessage(read.warnings.join(QLatin1Char('\n')));
        return app.createUserWindow(read.form);
    });
}

QWidget* OpenUserFormWindow(AppState& app, std::shared_ptr<const FormDescription> form)
{
    return openUnderPolicy(app, [&] { return app.createUserWindow(form); });
}

QWidget* OpenUserFormFromFile(AppState& app, QWidget* parent)
{
    const QString path = app.platform.chooseFile(parent, QStringLiteral("Otvoriť formulár zo súboru"),
                                                 QStringLiteral("Popis formulára (*.json)"));
    return path.isEmpty() ? nullptr : OpenUserForm(app, path);
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
