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
        for (const UserFormEntry& e : entries)
            QObject::connect(forms->addAction(e.name), &QAction::triggered, forms,
                             [&app, path = e.path] { app.guarded([&] { OpenUserForm(app, path); }); });
    });
    QAction* open = menu->addAction(QStringLiteral("Otvoriť formulár zo súboru…"));
    open->setObjectName(QStringLiteral("Otvoriformulrzosboru1"));
    QObject::connect(open, &QAction::triggered, owner,
                     [&app, owner] { app.guarded([&] { OpenUserFormFromFile(app, owner); }); });
}
