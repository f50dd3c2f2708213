#include "app/DocumentWindow.h"

#include "app/AppState.h"
#include "app/DocumentKind.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

DocumentWindow::DocumentWindow(AppState& app, const DocumentLook& look)
    : QMainWindow(nullptr), app_(app), client_(new QWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose); // a closed window is never shown again
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(look.caption);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(look.clientWidth, look.clientHeight);
    setCentralWidget(client_);
    buildMenu(look);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(look.left, look.top);
    // Menu shortcuts win over the edit fields' own (Ctrl+C opens slip C here).
    qApp->installEventFilter(this);
}

void DocumentWindow::buildMenu(const DocumentLook& look)
{
    auto item = [this](QMenu* menu, const QString& text, const char* name, const QKeySequence& keys) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);

    QMenu* file = bar->addMenu(QStringLiteral("Súbor"));
    Tlai1 = item(file, QStringLiteral("Tlačiť"), "Tlai1", QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    closeItem = item(file, QStringLiteral("Zavrieť"), look.closeItemName, QKeySequence(Qt::CTRL | Qt::Key_F4));

    QMenu* slips = bar->addMenu(QStringLiteral("Poukážka"));
    TypuA1 = item(slips, QStringLiteral("Typu A"), "TypuA1", QKeySequence(Qt::CTRL | Qt::Key_A));
    TypuC1 = item(slips, QStringLiteral("Typu C"), "TypuC1", QKeySequence(Qt::CTRL | Qt::Key_C));
    TypuD1 = item(slips, QStringLiteral("Typu D"), "TypuD1", QKeySequence(Qt::CTRL | Qt::Key_D));
    Oblka1 = item(slips, QStringLiteral("Obálka"), "Oblka1", QKeySequence(Qt::CTRL | Qt::Key_B));

    QMenu* settings = bar->addMenu(QStringLiteral("Nastavenia"));
    Novablnapreoblky1 = item(settings, QStringLiteral("Nová šablóna pre obálky"), "Novablnapreoblky1", {});
    settings->addSeparator();
    Osobndaje1 = item(settings, QStringLiteral("Osobné údaje"), "Osobndaje1", {});
    Nastaveniaprogramu1 = item(settings, QStringLiteral("Nastavenia programu"), "Nastaveniaprogramu1",
                               QKeySequence(Qt::Key_F5));

    QMenu* help = bar->addMenu(QStringLiteral("Pomoc"));
    Index1 = item(help, QStringLiteral("Index"), "Index1", QKeySequence(Qt::Key_F1));
    help->addSeparator();
    Oprograme1 = item(help, QStringLiteral("O programe"), "Oprograme1", {});

    connect(Tlai1, &QAction::triggered, this, [this] { app_.guarded([this] { Tlai1Click(); }); });
    connect(closeItem, &QAction::triggered, this, &QWidget::close);
    connect(TypuA1, &QAction::triggered, this, [this] { OpenDocumentWindow(app_, DocumentKind::SlipA); });
    connect(TypuC1, &QAction::triggered, this, [this] { OpenDocumentWindow(app_, DocumentKind::SlipC); });
    connect(TypuD1, &QAction::triggered, this, [this] { OpenDocumentWindow(app_, DocumentKind::SlipD); });
    connect(Oblka1, &QAction::triggered, this, [this] { OpenDocumentWindow(app_, DocumentKind::Envelope); });
    connect(Index1, &QAction::triggered, this, [this] { OpenHelpFile(app_); });
    // The dialogs behind these items are not part of the program yet.
    for (QAction* later : {Novablnapreoblky1, Osobndaje1, Nastaveniaprogramu1, Oprograme1})
        later->setEnabled(false);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    app_.OpenFormCount -= 1;
    event->accept();
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* action : actions()) {
            if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true; // not offered to the edit field, so the menu item fires
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
