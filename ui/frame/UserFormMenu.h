#pragma once
// The menu items of the forms users describe, alike in the launcher's menu
// and in every document window's "Poukážka" menu.
class AppState;
class QMenu;
class QWidget;

// "Vlastné formuláre" (Vlastnformulre1), the layouts of formulare/ by their
// names, read again each time it opens, and "Otvoriť formulár zo súboru…"
// (Otvoriformulrzosboru1).
void AddUserFormItems(QMenu* menu, AppState& app, QWidget* owner);
