#include "ui/document/DocumentWindow.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"
#include "ui/frame/DocumentKind.h"
#include "ui/frame/UserFormMenu.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

DocumentWindow::DocumentWindow(AppState& app, const DocumentLook& look, const FormDescription& form)
    : QMainWindow(nullptr), app_(app), form_(form), client_(new QWidget(this)), printing_(app, *this)
{
    setAttribute(Qt::WA_DeleteOnClose); // a closed window is never shown again
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(form.caption));
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(look.clientWidth, look.clientHeight);
    // The window font, which the captions and the bank combos take.
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(SmallFontPixels);
    client_->setFont(windowFont);
    setCentralWidget(client_);
    buildMenu(look);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(look.left, look.top);
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
    Ukkapredtlaou1 = item(file, QStringLiteral("Ukážka pred tlačou"), "Ukkapredtlaou1", {});
    Zarovnanietlaiarne1 = item(file, QStringLiteral("Zarovnanie tlačiarne…"), "Zarovnanietlaiarne1", {});
    Hromadntla1 = item(file, QStringLiteral("Hromadná tlač…"), "Hromadntla1", {});
    Histriatlae1 = item(file, QStringLiteral("História tlače…"), "Histriatlae1", {});
    file->addSeparator();
    closeItem = item(file, QStringLiteral("Zavrieť"), look.closeItemName, QKeySequence(Qt::CTRL | Qt::Key_F4));

    QMenu* slips = bar->addMenu(QStringLiteral("Poukážka"));
    TypuA1 = item(slips, QStringLiteral("Typu A"), "TypuA1", QKeySequence(Qt::CTRL | Qt::Key_A));
    TypuC1 = item(slips, QStringLiteral("Typu C"), "TypuC1", QKeySequence(Qt::CTRL | Qt::Key_C));
    TypuD1 = item(slips, QStringLiteral("Typu D"), "TypuD1", QKeySequence(Qt::CTRL | Qt::Key_D));
    Oblka1 = item(slips, QStringLiteral("Obálka"), "Oblka1", QKeySequence(Qt::CTRL | Qt::Key_B));
    PlatbaQR1 = item(slips, QStringLiteral("Platba QR"), "PlatbaQR1", {});
    slips->addSeparator();
    AddUserFormItems(slips, app_, this);

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

    // The close item's handler (closeFClick or Koniecprogramu1Click) is each
    // window's own.
    connect(Tlai1, &QAction::triggered, this, [this] { app_.guarded([this] { Tlai1Click(); }); });
    connect(Ukkapredtlaou1, &QAction::triggered, this, [this] { app_.guarded([this] { Ukkapredtlaou1Click(); }); });
    connect(Zarovnanietlaiarne1, &QAction::triggered, this,
            [this] { app_.guarded([this] { Zarovnanietlaiarne1Click(); }); });
    connect(Hromadntla1, &QAction::triggered, this, [this] { app_.guarded([this] { Hromadntla1Click(); }); });
    connect(Histriatlae1, &QAction::triggered, this, [this] { app_.guarded([this] { Histriatlae1Click(); }); });
    connect(TypuA1, &QAction::triggered, this, &DocumentWindow::TypuA1Click);
    connect(TypuC1, &QAction::triggered, this, &DocumentWindow::TypuC1Click);
    connect(TypuD1, &QAction::triggered, this, &DocumentWindow::TypuD1Click);
    connect(Oblka1, &QAction::triggered, this, &DocumentWindow::Oblka1Click);
    connect(PlatbaQR1, &QAction::triggered, this, &DocumentWindow::PlatbaQR1Click);
    connect(Index1, &QAction::triggered, this, &DocumentWindow::Index1Click);
    connect(Oprograme1, &QAction::triggered, this, &DocumentWindow::Oprograme1Click);
    connect(Osobndaje1, &QAction::triggered, this, &DocumentWindow::Osobndaje1Click);
    connect(Nastaveniaprogramu1, &QAction::triggered, this, &DocumentWindow::Nastaveniaprogramu1Click);
    connect(Novablnapreoblky1, &QAction::triggered, this, &DocumentWindow::Novablnapreoblky1Click);
}

// The "Poukážka" items do what the launcher's picture buttons do.
void DocumentWindow::TypuA1Click() { OpenDocumentWindow(app_, FormKind::SlipA); }
void DocumentWindow::TypuC1Click() { OpenDocumentWindow(app_, FormKind::SlipC); }
void DocumentWindow::TypuD1Click() { OpenDocumentWindow(app_, FormKind::SlipD); }
void DocumentWindow::Oblka1Click() { OpenDocumentWindow(app_, FormKind::Envelope); }
void DocumentWindow::PlatbaQR1Click() { OpenDocumentWindow(app_, FormKind::Payment); }
void DocumentWindow::Index1Click() { OpenHelpFile(app_); }
// Nothing is refilled afterwards: an envelope window reads its template list
// only when it opens.
void DocumentWindow::Novablnapreoblky1Click() { RunDialog(app_, DialogKind::TemplateWizard); }
void DocumentWindow::Oprograme1Click() { RunDialog(app_, DialogKind::About); }
void DocumentWindow::Histriatlae1Click() { RunDialog(app_, DialogKind::History); }

// Refilled after a cancel too, so the window always shows the records as they
// stand after the dialog.
void DocumentWindow::Osobndaje1Click()
{
    RunDialog(app_, DialogKind::PersonalData);
    refill();
}

void DocumentWindow::Nastaveniaprogramu1Click()
{
    RunDialog(app_, DialogKind::ProgramSettings);
    refill();
}

bool DocumentWindow::FormCloseQuery()
{
    app_.OpenFormCount -= 1;
    return true;
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void DocumentWindow::adoptControls()
{
    // The tab order is the form's.
    QWidget* previous = nullptr;
    for (const QString& name : form_.tabOrder()) {
        QWidget* w = client_->findChild<QWidget*>(name); // a window's own first, then a scrolled part's
        if (previous && w)
            setTabOrder(previous, w);
        previous = w;
    }
    for (const FieldSpec& f : form_.fields)
        if (auto* e = client_->findChild<QLineEdit*>(QString::fromLatin1(f.name)))
            e->setMaxLength(f.maxLength);
    for (QWidget* field : TextFields(client_))
        field->installEventFilter(this);
    ConnectCodePageHints(client_, app_.platform.hinter());
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
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

void DocumentWindow::fillControls(const FieldTexts& texts)
{
    for (const QString& name : texts.fields()) {
        const QString text = texts.text(name);
        QWidget* w = client_->findChild<QWidget*>(name);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            setFieldText(e, text);
        else if (auto* c = qobject_cast<QComboBox*>(w))
            setFieldText(c, text);
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            m->setPlainText(text);
    }
}

FieldTexts DocumentWindow::controlTexts() const
{
    FieldTexts texts;
    for (const FieldSpec& f : form_.fields) {
        const QString name = QString::fromLatin1(f.name);
        QWidget* w = client_->findChild<QWidget*>(name);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            texts.setText(name, e->text());
        else if (auto* c = qobject_cast<QComboBox*>(w))
            texts.setText(name, c->currentText());
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            texts.setText(name, m->toPlainText());
    }
    return texts;
}

FieldTexts DocumentWindow::fieldTexts() const { return PrintTexts(form_, controlTexts()); }

std::optional<FormPage> DocumentWindow::currentPage(QString* why) const
{
    const FieldTexts texts = controlTexts();
    FrameResult frame = form_.frame(form_, app_.settings(), app_.programFolder(), texts, nullptr);
    if (why)
        *why = frame.why;
    if (!frame.frame)
        return std::nullopt;
    return FormPage{*frame.frame, PrintTexts(form_, texts)};
}

bool DocumentWindow::readyToPrint(PrintIntent)
{
    if (!form_.check)
        return true;
    FieldTexts texts = controlTexts();
    const QList<FieldProblem> problems = form_.check(app_.programFolder(), texts);
    if (problems.isEmpty())
        return true;
    const FieldProblem& first = problems.first();
    app_.platform.showMessage(first.windowText.isEmpty() ? first.text : first.windowText);
    return false;
}
