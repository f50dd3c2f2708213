// "Návrh formulára": a user lays out a form over a scan with the mouse, the
// keys and the property panel, undoes and redoes it, saves and opens it
// again, and prints a test page.
#include "core/batch/JobChecks.h"
#include "ui/designer/DesignModel.h"
#include "ui/designer/DesignView.h"
#include "ui/designer/Tnavrh.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

QAction* act(Tnavrh& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }

template <typename T>
T* control(Tnavrh& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Types into a property as a user does: all of it replaced, then Enter.
void type(Tnavrh& w, const char* name, const QString& text)
{
    QWidget* edit = control<QWidget>(w, name);
    edit->setFocus();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit))
        spin->selectAll();
    else
        static_cast<QLineEdit*>(edit)->selectAll();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void choose(Tnavrh& w, const char* name, const QString& text)
{
    auto* combo = control<QComboBox>(w, name);
    combo->setCurrentIndex(combo->findText(text));
}

// A drag on the canvas with the left button, from one scene point by `by` screen pixels.
void drag(DesignView* view, QPointF fromMm, QPoint by)
{
    const QPoint from = view->mapFromScene(fromMm);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view->viewport(), from + by / 2);
    QTest::mouseMove(view->viewport(), from + by);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, from + by);
}

QPointF at(const Tnavrh& w, int i) { return {w.model().field(i).xMm, w.model().field(i).yMm}; }

// A text field typed in at (x, y), w x h mm.
void addText(Tnavrh& w, const QString& x, const QString& y, const QString& width, const QString& height)
{
    act(w, "PridatText1")->trigger();
    type(w, "x_mm", x);
    type(w, "y_mm", y);
    type(w, "width_mm", width);
    type(w, "height_mm", height);
}

} // namespace

class DesignerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Tnavrh> open(Program& p)
    {
        auto w = std::make_unique<Tnavrh>(*p.app);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qFatal("the designer did not come up");
        return w;
    }

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::C)); }

    void aFieldIsDraggedNudgedResizedAndEveryStepUndone()
    {
        Program p;
        p.loadRecords();
        auto w = open(p);
        QCOMPARE(w->objectName(), QStringLiteral("Tnavrh"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Návrh formulára"));
        addText(*w, "20", "30", "60", "6");
        QCOMPARE(at(*w, 0), QPointF(20, 30));
        QCOMPARE(w->model().field(0).name, QStringLiteral("text1"));

        DesignView* view = control<DesignView>(*w, "navrhScena");
        const double before = view->zoom();
        const QPointF middle = QRectF(view->viewport()->rect()).center();
        QWheelEvent wheel(middle, view->viewport()->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(view->zoom(), 1.25 * before);
        act(*w, "Skutocna1")->trigger();
        act(*w, "Zvacsit1")->trigger();
        const double zoom = view->zoom();
        QVERIFY(qAbs(zoom - 1.25 * view->actualSize()) < 1e-9);
        // 10 mm right and 5 mm down, to the nearest screen pixel; the grid takes up the rest.
        drag(view, {25, 33}, QPoint(qRound(10 * zoom), qRound(5 * zoom)));
        QCOMPARE(at(*w, 0), QPointF(30, 35));
        QCOMPARE(control<QAbstractSpinBox>(*w, "x_mm")->text(), QStringLiteral("30.00"));

        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(at(*w, 0), QPointF(30.1, 34.9));

        // The corner handle: 5 mm wider, 2 mm taller.
        drag(view, {90.1, 40.9}, QPoint(qRound(5 * zoom), qRound(2 * zoom)));
        QCOMPARE(w->model().field(0).widthMm, 65.0 - 0.1); // the right edge snaps to 95 mm
        QCOMPARE(w->model().field(0).heightMm, 8.1); // the bottom edge snaps to 43 mm

        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->model().field(0).widthMm, 60.0);
        act(*w, "Spat1")->trigger();
        act(*w, "Spat1")->trigger();
        QCOMPARE(at(*w, 0), QPointF(30, 35));
        QCOMPARE(control<QAbstractSpinBox>(*w, "x_mm")->text(), QStringLiteral("30.00"));
        act(*w, "Spat1")->trigger();
        QCOMPARE(at(*w, 0), QPointF(20, 30));
        act(*w, "Znova1")->trigger();
        QCOMPARE(at(*w, 0), QPointF(30, 35));
        act(*w, "Znova1")->trigger();
        QCOMPARE(at(*w, 0), QPointF(30.1, 35));

        // Without the grid the drag goes where the mouse does.
        act(*w, "Mriezka1")->trigger();
        drag(view, {35, 38}, QPoint(qRound(3 * zoom), 0));
        QVERIFY(qAbs(w->model().field(0).xMm - 33.1) <= 0.5 / zoom + 0.01);
        QVERIFY(w->model().field(0).xMm != 33.0);

        // Leaving it unsaved asks first; "Nie" keeps it.
        int asked = 0;
        p.platform.onDialog = [&](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            QVERIFY(box && box->objectName() == QStringLiteral("ZahoditZmeny"));
            ++asked;
            box->button(QMessageBox::No)->click();
        };
        act(*w, "Novy1")->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(w->model().fieldCount(), 1);
        p.platform.onDialog = {};
    }

    void aSavedDesignOpensAsItWasAndSavesTheSameBytes()
    {
        Program p;
        p.loadRecords();
        QTemporaryDir elsewhere;
        // A 100 dpi scan of a 210 x 99 mm form.
        QImage scan(827, 390, QImage::Format_RGB32);
        scan.fill(Qt::yellow);
        scan.setDotsPerMeterX(3937);
        scan.setDotsPerMeterY(3937);
        const QString scanFile = elsewhere.filePath("poukaz.png");
        QVERIFY(scan.save(scanFile));

        auto w = open(p);
        p.platform.fileAnswers = {scanFile};
        act(*w, "Pozadie1")->trigger();
        QCOMPARE(w->model().layout().widthMm, 210.06);
        QCOMPARE(w->model().layout().heightMm, 99.06);
        type(*w, "form_name", QStringLiteral("Môj poukaz"));
        act(*w, "PridatSuma1")->trigger();
        act(*w, "PridatSlovom1")->trigger();
        QCOMPARE(w->model().field(1).source, QStringLiteral("suma1"));
        type(*w, "y_mm", "90"); // off the amount, which a click then chooses
        QCOMPARE(w->model().field(1).yMm, 90.0);
        const QPointF amount(w->model().field(0).xMm + 2, w->model().field(0).yMm + 2);
        QTest::mouseClick(w->view()->viewport(), Qt::LeftButton, {}, w->view()->mapFromScene(amount));
        type(*w, "name", "suma");
        QCOMPARE(w->model().field(0).name, QStringLiteral("suma"));
        QCOMPARE(w->model().field(1).source, QStringLiteral("suma")); // the words follow the rename
        for (const char* kind : {"PridatIban1", "PridatQr1", "PridatPopis1"})
            act(*w, kind)->trigger();
        QCOMPARE(w->model().field(3).payment.iban, QStringLiteral("iban1"));
        QCOMPARE(w->model().field(3).payment.amount, QStringLiteral("suma"));
        type(*w, "value", QStringLiteral("Ďakujeme"));
        choose(*w, "rotation", QStringLiteral("90°"));

        // A name twice is refused with the reader's own words, and nothing is written.
        w->view()->setFocus();
        act(*w, "PridatDatum1")->trigger();
        type(*w, "name", "suma");
        act(*w, "Ulozit1")->trigger();
        QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Formulár sa nedá uložiť: Dve polia majú názov „suma“.")});
        QVERIFY(!QFileInfo::exists(p.folder.file("formulare/moj-poukaz.json")));
        p.platform.messages.clear();
        act(*w, "Odstranit1")->trigger();

        // A new form is saved into formulare/ under its own name, without a question.
        act(*w, "Ulozit1")->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QCOMPARE(p.platform.saveDialogs, 0);
        const QString saved = p.folder.file("formulare/moj-poukaz.json");
        QCOMPARE(w->filePath(), saved);
        QCOMPARE(p.folder.read("formulare/poukaz.png"), p.folder.read(QDir(p.folder.path()).relativeFilePath(scanFile)));
        const QByteArray first = p.folder.read("formulare/moj-poukaz.json");
        const UserLayoutRead read = LoadUserLayout(saved);
        QVERIFY2(read.layout, qPrintable(read.error));
        QVERIFY(read.warnings.isEmpty());
        QCOMPARE(read.layout->background, QStringLiteral("poukaz.png"));
        QVERIFY(*read.layout == w->model().layout());

        auto again = open(p);
        p.platform.fileAnswers = {saved};
        act(*again, "Otvorit1")->trigger();
        QVERIFY(again->model().layout() == *read.layout);
        QCOMPARE(again->model().backgroundFile(), p.folder.file("formulare/poukaz.png"));
        act(*again, "Ulozit1")->trigger();
        QCOMPARE(p.folder.read("formulare/moj-poukaz.json"), first);
        // "Uložiť ako…" asks; the ending the desktop's dialog adds becomes .json.
        p.platform.saveAnswers = {p.folder.file("formulare/kopia.csv")};
        act(*again, "UlozitAko1")->trigger();
        QCOMPARE(again->filePath(), p.folder.file("formulare/kopia.json"));
        QCOMPARE(p.folder.read("formulare/kopia.json"), first);
    }

    void theShippedFormOpensAndSavesByteForByte()
    {
        Program p;
        p.loadRecords();
        p.folder.installShipped("formulare/clensky-prispevok.json");
        p.folder.installShipped("formulare/clensky-prispevok.png");
        const QByteArray shipped = p.folder.read("formulare/clensky-prispevok.json");
        auto w = open(p);
        p.platform.fileAnswers = {p.folder.file("formulare/clensky-prispevok.json")};
        act(*w, "Otvorit1")->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QVERIFY(w->model().fieldCount() > 5);
        QVERIFY(!w->model().backgroundFile().isEmpty());
        p.folder.write("formulare/clensky-prispevok.json", {});
        act(*w, "Ulozit1")->trigger();
        QCOMPARE(p.folder.read("formulare/clensky-prispevok.json"), shipped);
    }

    void twoPointsAndTheirDistanceSetTheScale()
    {
        Program p;
        p.loadRecords();
        QTemporaryDir elsewhere;
        QImage scan(400, 200, QImage::Format_RGB32); // no resolution of its own: the width stays
        scan.fill(Qt::white);
        scan.setDotsPerMeterX(0);
        QVERIFY(scan.save(elsewhere.filePath("foto.png")));
        auto w = open(p);
        p.platform.fileAnswers = {elsewhere.filePath("foto.png")};
        act(*w, "Pozadie1")->trigger();
        QCOMPARE(w->model().layout().widthMm, 210.0);
        QCOMPARE(w->model().layout().heightMm, 105.0);

        // 100 mm apart as the scan now lies, which is 190.5 of its pixels; really 50 mm.
        act(*w, "Zvacsit1")->trigger();
        act(*w, "Mierka1")->trigger();
        p.platform.onDialog = [](QDialog& d) {
            d.findChild<QDoubleSpinBox*>("vzdialenost_mm")->setValue(50);
            d.accept();
        };
        DesignView* view = w->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(10, 10)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(110, 10)));
        QCOMPARE(p.platform.dialogsRun, 1);
        QVERIFY(qAbs(w->model().layout().widthMm - 105) < 0.5);
        QCOMPARE(w->model().layout().heightMm, w->model().layout().widthMm / 2);
        act(*w, "Spat1")->trigger();
        QCOMPARE(w->model().layout().widthMm, 210.0);
    }

    void aBrokenLayoutIsToldInSlovak()
    {
        Program p;
        p.loadRecords();
        p.folder.write("formulare/zly.json", "{ \"format\": \"zelvana-form\", \"version\": 1 }");
        auto w = open(p);
        p.platform.fileAnswers = {p.folder.file("formulare/zly.json")};
        act(*w, "Otvorit1")->trigger();
        QCOMPARE(p.platform.messages,
                 QStringList{QStringLiteral("Popis formulára „zly.json“: Chýba kľúč „name“ s názvom formulára.")});
    }

    void theTestPageDrawsTheScanPaleUnderTheBoxes()
    {
        Program p;
        p.loadRecords();
        QTemporaryDir elsewhere;
        QImage scan(400, 200, QImage::Format_RGB32);
        scan.fill(Qt::white);
        QVERIFY(scan.save(elsewhere.filePath("sken.jpg")));
        auto w = open(p);
        p.platform.fileAnswers = {elsewhere.filePath("sken.jpg")};
        act(*w, "Pozadie1")->trigger();
        control<QWidget>(*w, "pomer")->setProperty("checked", false);
        type(*w, "form_width_mm", "100");
        type(*w, "form_height_mm", "50");
        choose(*w, "rotation", QStringLiteral("90°"));
        type(*w, "offset_x_mm", "10");
        type(*w, "offset_y_mm", "20");
        addText(*w, "10", "5", "20", "10");

        RecordingCanvas canvas(ExamplePrinter); // 600 dpi, 200 x 287 mm printable
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        act(*w, "Skusobna1")->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QCOMPARE(canvas.guides.size(), 2);
        QVERIFY(canvas.guides[0].pale);
        QCOMPARE(canvas.guides[0].pictures.size(), 1);
        QCOMPARE(canvas.guides[0].pictures[0].image.size(), QSize(400, 200));
        QVERIFY(!canvas.guides[1].pale);
        QRect box;
        for (const QLine& l : canvas.guides[1].lines)
            box |= QRect(l.p1(), l.p2()).normalized();
        // Turned by 90: 45 to 55 mm across, 30 to 50 mm down the sheet.
        QCOMPARE(box, QRect(QPoint(945, 590), QPoint(1181, 1063)));

        // The form's own shift on the printer, 1 mm to the right as it reads: down the sheet.
        QVERIFY(WriteShift(p.folder.file("tlaciarne.ini"), UserFormShiftGroup(w->model().layout().name, "recorder"),
                           FormShift{1.0, 0.0}));
        act(*w, "Skusobna1")->trigger();
        QCOMPARE(canvas.guides.size(), 4);
        QCOMPARE(canvas.guides[3].lines[0], canvas.guides[1].lines[0].translated(0, 24));
    }
};

QTEST_MAIN(DesignerTest)
#include "test_designer.moc"
