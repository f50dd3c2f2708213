#include "ui/frame/UserFormMenu.h"

#include "core/forms/user/UserForm.h"
#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"

#include <QAction>
#include <QMenu>

void AddUserFormItems(QMenu* menu, AppState& app, QWidget* owner)
{
    QMenu* forms = menu->addMenu(QStringLiteral("Vlastné formuláre"));
    forms->setObjectName(QStringLiteral("Vlastnformulre1"));
    forms->menuAction()->setObjectName(QStringLiteral("Vlastnformulre1"));
    QObject::connect(forms, &QMenu::aboutToShow, forms, [forms, &app] {
        forms->clear();
        const QList<UserFormEntry> entries = UserFormsIn(app.programFolder());
        if (entries.isEmpty())
            forms->addAction(QStringLiteral("(žiadne v priečinku formulare)"))->setEnabled(false);
        for (const UserFormEntry& e : entries) {
            // A file that does not read is listed too, so the user learns why it opens no form.
            QAction* item = forms->addAction(e.error.isEmpty() ? e.name : e.name + QStringLiteral(" (chybný popis)"));
            QObject::connect(item, &QAction::triggered, forms, [&app, e] {
                if (!e.error.isEmpty())
                    app.platform.showMessage(e.error);
                else
                    app.guarded([&] { OpenUserForm(app, e.path); });
            });
        }
    });
    QAction* open = menu->addAction(QStringLiteral("Otvoriť formulár zo súboru…"));
    open->setObjectName(QStringLiteral("Otvoriformulrzosboru1"));
    QObject::connect(open, &QAction::triggered, owner,
                     [&app, owner] { app.guarded([&] { OpenUserFormFromFile(app, owner); }); });
}
