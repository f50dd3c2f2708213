#include "ui/designer/Tnavrh.h"

#include "core/batch/JobChecks.h"
#include "core/forms/user/UserPlacement.h"
#include "core/forms/user/UserTestPage.h"
#include "ui/designer/DesignCommands.h"
#include "ui/designer/DesignFiles.h"
#include "ui/designer/DesignModel.h"
#include "ui/designer/DesignScene.h"
#include "ui/designer/DesignView.h"
#include "ui/designer/PropertyPanel.h"
#include "ui/frame/AppState.h"
#include "ui/widgets/ScreenFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QUndoStack>
#include <cmath>

namespace {

const QString LayoutFilter = QStringLiteral("Popis formulára (*.json)");
const QString DiscardQuestion = QStringLiteral("Návrh formulára má neuložené zmeny. Zahodiť ich?");

UserLayout newLayout()
{
    UserLayout l;
    l.name = QStringLiteral("Nový formulár");
    l.widthMm = 210;
    l.heightMm = 297;
    return l;
}

struct KindDefaults {
    UserFieldKind kind;
    const char* action;
    const char* stem; // of the name a new field gets
    const char* caption;
    double widthMm, heightMm;
};
const KindDefaults Kinds[] = {
    {UserFieldKind::Text, "PridatText1", "text", "Text", 60, 6},
    {UserFieldKind::Amount, "PridatSuma1", "suma", "Suma", 35, 6},
    {UserFieldKind::Words, "PridatSlovom1", "slovom", "Suma slovom", 120, 6},
    {UserFieldKind::Date, "PridatDatum1", "datum", "Dátum", 30, 6},
    {UserFieldKind::Iban, "PridatIban1", "iban", "IBAN", 120, 6},
    {UserFieldKind::Symbol, "PridatSymbol1", "symbol", "Symbol", 40, 6},
    {UserFieldKind::Static, "PridatPopis1", "popis", "Pevný text", 40, 5},
    {UserFieldKind::PayBySquare, "PridatQr1", "qr", "Kód PAY by square", 35, 35},
};

// The first field of `kind`, for what a new field names.
QString firstOf(const UserLayout& l, UserFieldKind kind)
{
    for (const UserField& f : l.fields)
        if (f.kind == kind)
            return f.name;
    return {};
}

// The form's size for a scan: a scanner writes its resolution into the file,
// and a size from it that fits on the paper is taken; otherwise the form
// keeps its width and takes the scan's proportions.
QSizeF scanSizeMm(const QImage& scan, const UserLayout& l)
{
    const QSizeF paper = PaperSizeMm(l.paper);
    const double longest = std::max(paper.width(), paper.height()) + 1;
    // A file without a resolution reads with Qt's default one, which says nothing.
    const QImage plain(1, 1, QImage::Format_RGB32);
    const bool told = scan.dotsPerMeterX() != plain.dotsPerMeterX() || scan.dotsPerMeterY() != plain.dotsPerMeterY();
    if (told && scan.dotsPerMeterX() > 0 && scan.dotsPerMeterY() > 0) {
        const double w = scan.width() * 1000.0 / scan.dotsPerMeterX(), h = scan.height() * 1000.0 / scan.dotsPerMeterY();
        if (w >= 10 && h >= 10 && w <= longest && h <= longest)
            return {Hundredths(w), Hundredths(h)};
    }
    return {l.widthMm, std::min(2000.0, Hundredths(l.widthMm * scan.height() / scan.width()))};
}

QAction* action(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {})
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

} // namespace

Tnavrh::Tnavrh(AppState& app, QWidget* parent)
    : QMainWindow(parent), app_(app), undo_(new QUndoStack(this)), model_(new DesignModel(this))
{
    setObjectName(QStringLiteral("Tnavrh"));
    setWindowTitle(QStringLiteral("Návrh formulára"));
    undo_->setObjectName(QStringLiteral("zmeny"));
    scene_ = new DesignScene(*model_, *undo_, this);
    view_ = new DesignView(*scene_, this);
    setCentralWidget(view_);
    panel_ = new PropertyPanel(*model_, *undo_, [this] { return model_->backgroundFile().isEmpty() ? QSize() : scan_.size(); });
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("vlastnostiPosun"));
    scroll->setWidget(panel_);
    scroll->setWidgetResizable(true);
    // As wide as the panel: it scrolls down, never across.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(panel_->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4);
    auto* dock = new QDockWidget(QStringLiteral("Vlastnosti"), this);
    dock->setObjectName(QStringLiteral("vlastnostiDok"));
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setWidget(scroll);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("stav"));
    statusBar()->addWidget(status_, 1);

    buildMenus();
    connect(scene_, &DesignScene::selectedFieldChanged, panel_, &PropertyPanel::showField);
    connect(model_, &DesignModel::formChanged, this, &Tnavrh::followScan);
    connect(model_, &DesignModel::wasReset, this, &Tnavrh::followScan);
    connect(view_, &DesignView::measured, this, &Tnavrh::measured);
    connect(undo_, &QUndoStack::cleanChanged, this, &Tnavrh::showStatus);
    start(newLayout(), {}, {});
    resize(1100, 800);
    FitOnScreen(this);
}

Tnavrh::~Tnavrh()
{
    // The panel edits through the stack and the stack tells the window to
    // the end; they go first, then the view and the scene's items.
    delete findChild<QDockWidget*>();
    disconnect(undo_, nullptr, this, nullptr);
    delete undo_;
    delete view_;
    delete scene_;
}

void Tnavrh::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&Súbor"));
    file->setObjectName(QStringLiteral("Subor1"));
    Novy1 = action(file, "Novy1", QStringLiteral("&Nový"), QKeySequence::New);
    Otvorit1 = action(file, "Otvorit1", QStringLiteral("&Otvoriť…"), QKeySequence::Open);
    Ulozit1 = action(file, "Ulozit1", QStringLiteral("&Uložiť"), QKeySequence::Save);
    UlozitAko1 = action(file, "UlozitAko1", QStringLiteral("Uložiť &ako…"), QKeySequence::SaveAs);
    file->addSeparator();
    Pozadie1 = action(file, "Pozadie1", QStringLiteral("Načítať &pozadie…"));
    BezPozadia1 = action(file, "BezPozadia1", QStringLiteral("Odstrániť pozadie"));
    Mierka1 = action(file, "Mierka1", QStringLiteral("&Mierka podľa dvoch bodov…"));
    file->addSeparator();
    Skusobna1 = action(file, "Skusobna1", QStringLiteral("Vytlačiť &skúšobnú stranu…"), QKeySequence::Print);
    file->addSeparator();
    Zavriet1 = action(file, "Zavriet1", QStringLiteral("&Zavrieť"));

    QMenu* edit = bar->addMenu(QStringLiteral("&Upraviť"));
    edit->setObjectName(QStringLiteral("Upravit1"));
    Spat1 = action(edit, "Spat1", QStringLiteral("&Späť"), QKeySequence::Undo);
    Znova1 = action(edit, "Znova1", QStringLiteral("&Znova"), QKeySequence::Redo);
    edit->addSeparator();
    Odstranit1 = action(edit, "Odstranit1", QStringLiteral("&Odstrániť pole"), QKeySequence::Delete);
    Mriezka1 = action(edit, "Mriezka1", QStringLiteral("Prichytávať k &mriežke 0,5 mm"));
    Mriezka1->setCheckable(true);
    Mriezka1->setChecked(true);

    QMenu* add = bar->addMenu(QStringLiteral("&Vložiť"));
    add->setObjectName(QStringLiteral("Vlozit1"));
    for (const KindDefaults& k : Kinds) {
        QAction* a = action(add, k.action, QString::fromUtf8(k.caption));
        Pridat << a;
        connect(a, &QAction::triggered, this, [this, kind = k.kind] { PridatClick(kind); });
    }

    QMenu* look = bar->addMenu(QStringLiteral("&Zobraziť"));
    look->setObjectName(QStringLiteral("Zobrazit1"));
    Zvacsit1 = action(look, "Zvacsit1", QStringLiteral("Z&väčšiť"), QKeySequence::ZoomIn);
    Zmensit1 = action(look, "Zmensit1", QStringLiteral("Z&menšiť"), QKeySequence::ZoomOut);
    Skutocna1 = action(look, "Skutocna1", QStringLiteral("&Skutočná veľkosť"), QKeySequence(Qt::CTRL | Qt::Key_0));

    connect(Novy1, &QAction::triggered, this, &Tnavrh::NovyClick);
    connect(Otvorit1, &QAction::triggered, this, &Tnavrh::OtvoritClick);
    connect(Ulozit1, &QAction::triggered, this, &Tnavrh::UlozitClick);
    connect(UlozitAko1, &QAction::triggered, this, &Tnavrh::UlozitAkoClick);
    connect(Pozadie1, &QAction::triggered, this, &Tnavrh::PozadieClick);
    connect(BezPozadia1, &QAction::triggered, this, &Tnavrh::BezPozadiaClick);
    connect(Mierka1, &QAction::triggered, this, &Tnavrh::MierkaClick);
    connect(Skusobna1, &QAction::triggered, this, &Tnavrh::SkusobnaClick);
    connect(Zavriet1, &QAction::triggered, this, &QWidget::close);
    connect(Spat1, &QAction::triggered, undo_, &QUndoStack::undo);
    connect(Znova1, &QAction::triggered, undo_, &QUndoStack::redo);
    connect(undo_, &QUndoStack::canUndoChanged, Spat1, &QAction::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, Znova1, &QAction::setEnabled);
    Spat1->setEnabled(false);
    Znova1->setEnabled(false);
    connect(Odstranit1, &QAction::triggered, this, [this] {
        if (const int i = scene_->selectedField(); i >= 0)
            undo_->push(new RemoveFieldCommand(*model_, i));
    });
    connect(Mriezka1, &QAction::toggled, this, [this](bool on) { scene_->setSnap(on); });
    connect(Zvacsit1, &QAction::triggered, this, [this] { view_->zoomBy(1.25); });
    connect(Zmensit1, &QAction::triggered, this, [this] { view_->zoomBy(0.8); });
    connect(Skutocna1, &QAction::triggered, this, [this] { view_->setZoom(view_->actualSize()); });
    connect(view_, &DesignView::zoomed, this, &Tnavrh::showStatus);
}

void Tnavrh::showStatus()
{
    const QString file = path_.isEmpty() ? QStringLiteral("neuložený") : QDir::toNativeSeparators(path_);
    status_->setText(QStringLiteral("%1%2 · zväčšenie %3 %")
                         .arg(file, undo_->isClean() ? QString() : QStringLiteral(" (zmenený)"))
                         .arg(std::lround(100 * view_->zoom() / view_->actualSize())));
}

void Tnavrh::commitEdits()
{
    // A property still being typed is one change before the design is read.
    if (QWidget* focus = QApplication::focusWidget(); focus && panel_->isAncestorOf(focus))
        view_->setFocus();
}

bool Tnavrh::mayDiscard()
{
    commitEdits();
    return undo_->isClean() || app_.platform.askYesNo(this, QStringLiteral("ZahoditZmeny"), DiscardQuestion);
}

void Tnavrh::start(const UserLayout& layout, const QString& backgroundFile, const QString& path)
{
    undo_->clear();
    path_ = path;
    model_->reset(layout, backgroundFile);
    undo_->setClean();
    showStatus();
}

void Tnavrh::NovyClick()
{
    if (mayDiscard())
        start(newLayout(), {}, {});
}

void Tnavrh::OtvoritClick()
{
    if (!mayDiscard())
        return;
    const QString path = app_.platform.chooseFile(this, QStringLiteral("Otvoriť popis formulára"), LayoutFilter);
    if (path.isEmpty())
        return;
    const UserLayoutRead read = LoadUserLayout(path);
    if (!read.layout) {
        app_.platform.showMessage(read.error);
        return;
    }
    for (const QString& warning : read.warnings)
        app_.platform.showMessage(warning);
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    const QString scan = read.layout->background.isEmpty() ? QString() : folder + read.layout->background;
    start(*read.layout, QFileInfo(scan).isFile() ? scan : QString(), QFileInfo(path).absoluteFilePath());
}

bool Tnavrh::UlozitClick()
{
    if (!path_.isEmpty())
        return saveTo(path_);
    // A new form goes where the launcher lists the forms, under its own name.
    commitEdits();
    const QString forms = app_.pathInProgramFolder(UserFormsFolder);
    QDir().mkpath(forms);
    return saveTo(NewLayoutPath(model_->layout().name, forms));
}

bool Tnavrh::UlozitAkoClick()
{
    const QString forms = app_.pathInProgramFolder(UserFormsFolder);
    QDir().mkpath(forms);
    const QString chosen = app_.platform.chooseSaveFile(this, QStringLiteral("Uložiť popis formulára"), LayoutFilter);
    return !chosen.isEmpty() && saveTo(LayoutSavePath(chosen, forms));
}

bool Tnavrh::saveTo(const QString& path)
{
    commitEdits();
    UserLayout layout = model_->layout();
    const QString scan = model_->backgroundFile();
    if (!scan.isEmpty())
        layout.background = BackgroundName(scan);
    // What the program would refuse to read is not written.
    if (const UserLayoutRead check = ParseUserLayout(WriteUserLayout(layout)); !check.layout) {
        app_.platform.showMessage(QStringLiteral("Formulár sa nedá uložiť: %1").arg(check.error));
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    Beside beside;
    if (!scan.isEmpty()) {
        beside = PutBeside(scan, folder);
        if (!beside.error.isEmpty()) {
            app_.platform.showMessage(beside.error);
            return false;
        }
        layout.background = beside.name;
    }
    QString error;
    if (!WriteWhole(path, WriteUserLayout(layout), error)) {
        app_.platform.showMessage(QStringLiteral("Popis formulára „%1“ sa nepodarilo uložiť: %2").arg(path, error));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    DesignForm form = model_->form();
    if (!scan.isEmpty() && (form.backgroundFile != beside.file || form.props.background != beside.name)) {
        // The design goes on with the scan beside its file; no change to undo.
        form.backgroundFile = beside.file;
        form.props.background = beside.name;
        model_->setForm(form);
    }
    undo_->setClean();
    showStatus();
    return true;
}

void Tnavrh::followScan()
{
    const QString file = model_->backgroundFile();
    if (file != scanFile_) {
        scanFile_ = file;
        scan_ = QImage();
        if (!file.isEmpty()) {
            QImageReader reader(file);
            scan_ = reader.read();
            if (scan_.isNull())
                app_.platform.showMessage(QStringLiteral("Obrázok pozadia „%1“ sa nepodarilo načítať: %2")
                                              .arg(QDir::toNativeSeparators(file), reader.errorString()));
        }
        // Made once per scan: the view only ever draws this pixmap.
        scanPixmap_ = scan_.isNull() ? QPixmap() : QPixmap::fromImage(scan_);
    }
    view_->setBackground(scanPixmap_, QRectF(0, 0, model_->layout().widthMm, model_->layout().heightMm));
}

void Tnavrh::PozadieClick()
{
    const QString file =
        app_.platform.chooseFile(this, QStringLiteral("Načítať pozadie formulára"), QStringLiteral("Obrázky (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)"));
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull()) {
        app_.platform.showMessage(QStringLiteral("Obrázok „%1“ sa nepodarilo načítať: %2")
                                      .arg(QDir::toNativeSeparators(file), reader.errorString()));
        return;
    }
    const DesignForm before = model_->form();
    DesignForm after = before;
    after.backgroundFile = QFileInfo(file).absoluteFilePath();
    after.props.background = BackgroundName(file);
    const QSizeF size = scanSizeMm(image, before.props);
    after.props.widthMm = size.width();
    after.props.heightMm = size.height();
    // Read once here; followScan takes it instead of reading the file again.
    scanFile_ = after.backgroundFile;
    scan_ = image;
    scanPixmap_ = QPixmap::fromImage(scan_);
    undo_->push(new EditFormCommand(*model_, before, after, QStringLiteral("Načítať pozadie")));
}

void Tnavrh::BezPozadiaClick()
{
    const DesignForm before = model_->form();
    DesignForm after = before;
    after.backgroundFile.clear();
    after.props.background.clear();
    if (after != before)
        undo_->push(new EditFormCommand(*model_, before, after, QStringLiteral("Odstrániť pozadie")));
}

void Tnavrh::MierkaClick()
{
    if (model_->backgroundFile().isEmpty() || scan_.isNull()) {
        app_.platform.showMessage(QStringLiteral("Najprv načítajte pozadie formulára."));
        return;
    }
    statusBar()->showMessage(QStringLiteral("Kliknite na dva body pozadia, ktorých vzdialenosť poznáte."));
    view_->startMeasure();
}

void Tnavrh::measured(QPointF from, QPointF to)
{
    statusBar()->clearMessage();
    const UserLayout& l = model_->layout();
    if (scan_.isNull() || l.widthMm <= 0 || l.heightMm <= 0)
        return;
    // The two points in the scan's own pixels, whatever its size in mm now.
    const double sx = scan_.width() / l.widthMm, sy = scan_.height() / l.heightMm;
    const double pixels = std::hypot((to.x() - from.x()) * sx, (to.y() - from.y()) * sy);
    if (pixels < 1) {
        app_.platform.showMessage(QStringLiteral("Body musia byť od seba vzdialené."));
        return;
    }
    QDialog ask(this);
    ask.setObjectName(QStringLiteral("Vzdialenost"));
    ask.setWindowTitle(QStringLiteral("Mierka pozadia"));
    auto* rows = new QFormLayout(&ask);
    auto* distance = new QDoubleSpinBox;
    distance->setObjectName(QStringLiteral("vzdialenost_mm"));
    distance->setDecimals(2);
    distance->setRange(0.1, 2000);
    distance->setValue(Hundredths(std::hypot(to.x() - from.x(), to.y() - from.y())));
    rows->addRow(QStringLiteral("Skutočná vzdialenosť bodov (mm):"), distance);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("tlacidla"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Zrušiť"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("zrusit"));
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    rows->addRow(buttons);
    if (app_.platform.runDialog(ask) != QDialog::Accepted)
        return;
    const double mmPerPixel = distance->value() / pixels;
    const double w = Hundredths(scan_.width() * mmPerPixel), h = Hundredths(scan_.height() * mmPerPixel);
    if (w > 2000 || h > 2000 || w <= 0 || h <= 0) {
        app_.platform.showMessage(QStringLiteral("Pri tejto mierke by mal formulár %1 × %2 mm; najviac je 2000 mm.").arg(w).arg(h));
        return;
    }
    const DesignForm before = model_->form();
    DesignForm after = before;
    after.props.widthMm = w;
    after.props.heightMm = h;
    if (after != before)
        undo_->push(new EditFormCommand(*model_, before, after, QStringLiteral("Mierka pozadia")));
}

void Tnavrh::PridatClick(UserFieldKind kind)
{
    const KindDefaults* d = &Kinds[0];
    for (const KindDefaults& k : Kinds)
        if (k.kind == kind)
            d = &k;
    const UserLayout& l = model_->layout();
    UserField f;
    f.kind = kind;
    f.name = model_->freeName(QLatin1String(d->stem));
    f.widthMm = std::min(d->widthMm, l.widthMm);
    f.heightMm = std::min(d->heightMm, l.heightMm);
    if (kind == UserFieldKind::PayBySquare)
        f.widthMm = f.heightMm = f.sizeMm = std::min(f.widthMm, f.heightMm);
    if (kind == UserFieldKind::Amount)
        f.align = UserAlign::Right;
    if (kind == UserFieldKind::Static)
        f.value = QStringLiteral("Text");
    if (kind == UserFieldKind::Words)
        f.source = firstOf(l, UserFieldKind::Amount);
    if (kind == UserFieldKind::PayBySquare) {
        f.payment.iban = firstOf(l, UserFieldKind::Iban);
        f.payment.amount = firstOf(l, UserFieldKind::Amount);
    }
    // Where the user looks: the middle of the view, on the grid and on the form.
    const QPointF centre = view_->mapToScene(view_->viewport()->rect().center());
    const double x = std::round((centre.x() - f.widthMm / 2) / GridMm) * GridMm;
    const double y = std::round((centre.y() - f.heightMm / 2) / GridMm) * GridMm;
    f.xMm = std::clamp(x, 0.0, std::max(0.0, l.widthMm - f.widthMm));
    f.yMm = std::clamp(y, 0.0, std::max(0.0, l.heightMm - f.heightMm));
    const int index = model_->fieldCount();
    undo_->push(new AddFieldCommand(*model_, index, f));
    scene_->selectField(index);
    view_->setFocus(); // the arrow keys move it at once
}

void Tnavrh::SkusobnaClick()
{
    commitEdits();
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(this);
    if (!canvas)
        return;
    QStringList inputs;
    for (const QString& file : {path_, model_->backgroundFile()})
        if (!file.isEmpty())
            inputs << file;
    if (const QString refusal = OutputRefusal(canvas->outputFile(), app_.programFolder(), inputs); !refusal.isEmpty()) {
        app_.platform.showMessage(refusal);
        return;
    }
    // The form's own shift on this printer, as its print takes it.
    QString damage;
    const FormShift shift =
        StoredShift(app_.programFolder(), UserFormShiftGroup(model_->layout().name, canvas->printerName()), damage);
    if (!damage.isEmpty())
        app_.platform.showMessage(damage);
    const QImage scan = model_->backgroundFile().isEmpty() ? QImage() : scan_;
    const PrintOutcome outcome = PrintUserTestPage(*canvas, model_->layout(), scan, shift);
    if (outcome != PrintOutcome::Printed)
        app_.platform.showMessage(PrintOutcomeMessage(outcome, *canvas));
}

void Tnavrh::closeEvent(QCloseEvent* event)
{
    if (mayDiscard())
        event->accept();
    else
        event->ignore();
}
