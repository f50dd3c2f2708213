#include "app/TForm1.h"

#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"
#include "ui/frame/Pictures.h"
#include "ui/frame/UserFormMenu.h"
#include "ui/designer/Tnavrh.h"
#include "ui/widgets/ScreenFit.h"
#include "core/records/Tips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsBlurEffect>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>

QString TForm1::hintFor(const QString& controlName)
{
    static const QHash<QString, QString> hints{
        {QStringLiteral("Image1"), QStringLiteral("Formulár na tlač poštovej poukážky typu A ")},
        {QStringLiteral("Image2"), QStringLiteral("Formulár na tlač poštovej poukážky typu C")},
        {QStringLiteral("Image3"), QStringLiteral("Formulár na tlač poštovej poukážky typu D")},
        {QStringLiteral("Image4"), QStringLiteral("Formulár na tlač obálok")},
        {QStringLiteral("Image5"), QStringLiteral("Minimalizovať")},
        {QStringLiteral("Image6"), QStringLiteral("Zatvoriť program.")},
        {QStringLiteral("Image7"), QString()},
        {QStringLiteral("StatusBar1"), QString()},
    };
    return hints.value(controlName);
}

TForm1::TForm1(AppState& app) : QWidget(nullptr), app_(app)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zelvana"));
    // A thin caption without buttons: the pictures minimise and close.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(400, 299);
    move(193, 109);
    FitOnScreen(this);
    buildControls();
    buildPopupMenu();
    FormCreate();
}

void TForm1::buildControls()
{
    auto picture = [this](const char* name, QRect geometry, const QPixmap& pixmap, const QString& tip = {}) {
        auto* label = new PictureLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        label->setPixmap(pixmap);
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(tip);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        return label;
    };

    Image7 = new QLabel(this);
    Image7->setObjectName(QStringLiteral("Image7"));
    Image7->setGeometry(0, 0, 400, 300);
    Image7->setPixmap(Pictures::launcherBackground(QSize(400, 300)));
    Image7->setMouseTracking(true);
    Image7->installEventFilter(this);

    Image1 = picture("Image1", {0, 82, 135, 49}, Pictures::launcherButton(FormKind::SlipA, {135, 49}));
    Image2 = picture("Image2", {0, 139, 135, 47}, Pictures::launcherButton(FormKind::SlipC, {135, 47}));
    Image3 = picture("Image3", {0, 197, 135, 48}, Pictures::launcherButton(FormKind::SlipD, {135, 48}));
    Image4 = picture("Image4", {0, 254, 135, 44}, Pictures::launcherButton(FormKind::Envelope, {135, 44}));
    Image5 = picture("Image5", {345, 7, 20, 19}, Pictures::minimiseButton({20, 19}), QStringLiteral("Minimalizovať"));
    Image6 = picture("Image6", {370, 4, 24, 23}, Pictures::closeButton({24, 23}), QStringLiteral("Zavrieť"));

    connect(Image1, &PictureLabel::clicked, this, &TForm1::Image1Click);
    connect(Image2, &PictureLabel::clicked, this, &TForm1::Image2Click);
    connect(Image3, &PictureLabel::clicked, this, &TForm1::Image3Click);
    connect(Image4, &PictureLabel::clicked, this, &TForm1::Image4Click);
    connect(Image5, &PictureLabel::clicked, this, &TForm1::Image5Click);
    connect(Image6, &PictureLabel::clicked, this, &TForm1::Image6Click);

    auto heading = [this](const char* name, QPoint at, int pixels, const char* colour) {
        auto* label = new QLabel(QStringLiteral("TIPY A TRIKY"), this);
        label->setObjectName(QString::fromLatin1(name));
        QFont font(QStringLiteral("Arial Black"));
        font.setPixelSize(pixels);
        font.setBold(true);
        font.setItalic(true);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->move(at);
        label->adjustSize();
        return label;
    };
    Label2 = heading("Label2", {176, 72}, 24, "#FFD52B");
    Label1 = heading("Label1", {192, 80}, 19, "#D89C01");
    // The large pale heading is the glow behind the small one. Drawn sharp, in
    // a face less heavy than Arial Black, it read as the same words printed
    // twice out of register; softened, it is plainly a halo.
    auto* glow = new QGraphicsBlurEffect(Label2);
    glow->setBlurRadius(10);
    glow->setBlurHints(QGraphicsBlurEffect::QualityHint);
    Label2->setGraphicsEffect(glow);
    Label1->raise();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(176, 128, 209, 121);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setStyleSheet(QStringLiteral("background: #FFF1B7; color: #3A2C00;"));
    QFont memoFont(QStringLiteral("Arial Narrow"));
    memoFont.setPixelSize(13);
    Memo1->setFont(memoFont);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(152, 280, 241, 17);
    StatusBar1->setSizeGripEnabled(false);
    // The window font of the old launcher: at the desktop's larger default
    // the longest hint ran past the bar's end.
    QFont statusFont(QStringLiteral("MS Sans Serif"));
    statusFont.setPixelSize(11);
    StatusBar1->setFont(statusFont);
    StatusBar1->setStyleSheet(QStringLiteral("background: #FFF1B7; color: #5A4300;"));
    StatusBar1->setMouseTracking(true);
    StatusBar1->installEventFilter(this);
}

void TForm1::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const QString& text, const char* name, const QKeySequence& keys,
                       const QPixmap& icon = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        if (!icon.isNull())
            action->setIcon(QIcon(icon));
        addAction(action); // the shortcuts act while the launcher is active
        return action;
    };
    QMenu* slips = PopupMenu1->addMenu(QStringLiteral("Poštová poukážka"));
    connect(item(slips, QStringLiteral("Typy A"), "TypyA1", QKeySequence(Qt::CTRL | Qt::Key_A),
                 Pictures::menuIcon(FormKind::SlipA)),
            &QAction::triggered, this, &TForm1::Image1Click);
    connect(item(slips, QStringLiteral("Typu C"), "TypuC1", QKeySequence(Qt::CTRL | Qt::Key_C),
                 Pictures::menuIcon(FormKind::SlipC)),
            &QAction::triggered, this, &TForm1::Image2Click);
    connect(item(slips, QStringLiteral("Typu D"), "TypuD1", QKeySequence(Qt::CTRL | Qt::Key_D),
                 Pictures::menuIcon(FormKind::SlipD)),
            &QAction::triggered, this, &TForm1::Image3Click);
    connect(item(PopupMenu1, QStringLiteral("Obálka"), "Oblka1", QKeySequence(Qt::CTRL | Qt::Key_B),
                 Pictures::menuIcon(FormKind::Envelope)),
            &QAction::triggered, this, &TForm1::Image4Click);
    connect(item(PopupMenu1, QStringLiteral("Platba QR"), "PlatbaQR1", {}, Pictures::menuIcon(FormKind::Payment)),
            &QAction::triggered, this, &TForm1::PlatbaQR1Click);
    PopupMenu1->addSeparator();
    connect(item(PopupMenu1, QStringLiteral("Nová šablóna na obálku"), "Novablnanaoblku1", {}, Pictures::templateIcon()),
            &QAction::triggered, this, &TForm1::Novablnanaoblku1Click);
    connect(item(PopupMenu1, QStringLiteral("Osobné nastavenia"), "Osobnnastavenia1", {}), &QAction::triggered, this,
            &TForm1::Osobnnastavenia1Click);
    connect(item(PopupMenu1, QStringLiteral("Nastavenia programu"), "Nastaveniaprogramu1", {}), &QAction::triggered,
            this, &TForm1::Nastaveniaprogramu1Click);
    PopupMenu1->addSeparator();
    connect(item(PopupMenu1, QStringLiteral("Pomoc"), "Oprograme1", QKeySequence(Qt::Key_F1), Pictures::helpIcon()),
            &QAction::triggered, this, &TForm1::Oprograme1Click);
    // Last, so every item before them keeps its place.
    connect(item(PopupMenu1, QStringLiteral("História tlače…"), "Histriatlae1", {}), &QAction::triggered, this,
            &TForm1::Histriatlae1Click);
    PopupMenu1->addSeparator();
    AddUserFormItems(PopupMenu1, app_, this);
    connect(item(PopupMenu1, QStringLiteral("Návrh formulára…"), "Nvrhformulra1", {}), &QAction::triggered, this,
            &TForm1::Nvrhformulra1Click);

    Image7->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image7, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Image7->mapToGlobal(at)); });
}

void TForm1::FormCreate()
{
    // Each step stops the sequence on a file error; the launcher opens anyway.
    app_.guarded([this] {
        app_.records.LoadOrCreatePersonalData();
        app_.records.LoadOrCreateSettings();
        app_.OpenFormCount = 0;
        ShowRandomTip();
        OpenOnStart();
    });
}

void TForm1::ShowRandomTip()
{
    const QString path = app_.programFolder() + QStringLiteral("data/subor1.tip");
    Memo1->setPlainText(fromCp1250(ReadRandomTip(path, [this](int n) { return app_.platform.randomBelow(n); })));
}

void TForm1::OpenOnStart()
{
    const ProgramSettings& s = app_.settings();
    if (!s.flag(Flag::OpenOnStart))
        return;
    if (s.flag(Flag::StartWithSlipA))
        Image1Click();
    if (s.flag(Flag::StartWithSlipC))
        Image2Click();
    if (s.flag(Flag::StartWithSlipD))
        Image3Click();
    if (s.flag(Flag::StartWithEnvelope))
        Image4Click();
}

void TForm1::Image1Click() { OpenDocumentWindow(app_, FormKind::SlipA); }
void TForm1::Image2Click() { OpenDocumentWindow(app_, FormKind::SlipC); }
void TForm1::Image3Click() { OpenDocumentWindow(app_, FormKind::SlipD); }
void TForm1::Image4Click() { OpenDocumentWindow(app_, FormKind::Envelope); }
void TForm1::PlatbaQR1Click() { OpenDocumentWindow(app_, FormKind::Payment); }

void TForm1::Image5Click() { app_.platform.minimiseApplication(); }

void TForm1::Image6Click() { close(); }

void TForm1::Oprograme1Click() { OpenHelpFile(app_); }
// From the launcher no window is refilled afterwards.
void TForm1::Osobnnastavenia1Click() { RunDialog(app_, DialogKind::PersonalData); }
void TForm1::Nastaveniaprogramu1Click() { RunDialog(app_, DialogKind::ProgramSettings); }
void TForm1::Novablnanaoblku1Click() { RunDialog(app_, DialogKind::TemplateWizard); }
void TForm1::Histriatlae1Click() { RunDialog(app_, DialogKind::History); }

void TForm1::Nvrhformulra1Click()
{
    auto* designer = new Tnavrh(app_);
    designer->setAttribute(Qt::WA_DeleteOnClose);
    designer->show();
    designers_.append(designer);
}

bool TForm1::FormCloseQuery()
{
    app_.records.closeFiles();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A design not saved is asked about first; kept, the program goes on.
    for (const QPointer<QWidget>& designer : std::as_const(designers_))
        if (designer && !designer->close()) {
            event->ignore();
            return;
        }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnds();
    // exit, not quit: quit would first send every open document window a
    // close, and their close handlers must not run at program end.
    QCoreApplication::exit(0);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const QString name = watched->objectName();
        if (name.startsWith(QLatin1String("Image")) || name == QLatin1String("StatusBar1"))
            StatusBar1->showMessage(hintFor(name));
    }
    return QWidget::eventFilter(watched, event);
}
