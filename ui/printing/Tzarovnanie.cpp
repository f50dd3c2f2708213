#include "printer/ChosenPrinter.h"
#include "ui/printing/Tzarovnanie.h"

#include "ui/frame/AppState.h"
#include "ui/printing/PrintGate.h"
#include "ui/printing/PrintSubject.h"
#include "core/batch/JobChecks.h"
#include "core/print/PrintCanvas.h"
#include "core/print/QtPrintCanvas.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* millimetres(QWidget* parent, const char* name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-MaxShiftMm, MaxShiftMm);
    box->setSingleStep(0.1);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

Tzarovnanie::Tzarovnanie(AppState& app, PrintGate& window) : QDialog(nullptr), app_(app), window_(window)
{
    setObjectName(QStringLiteral("Tzarovnanie"));
    setWindowTitle(QStringLiteral("Zarovnanie tlačiarne"));

    tlaciaren = new QComboBox(this);
    tlaciaren->setObjectName(QStringLiteral("tlaciaren"));
    tlaciaren->addItems(QPrinterInfo::availablePrinterNames());
    tlaciaren->addItem(PdfPrinterName);
    const int current = tlaciaren->findText(ShiftNameOf(app_.platform.currentPrinter()));
    tlaciaren->setCurrentIndex(current >= 0 ? current : tlaciaren->count() - 1);
    doprava = millimetres(this, "doprava");
    nadol = millimetres(this, "nadol");
    nakres = new QLabel(this);
    nakres->setObjectName(QStringLiteral("nakres"));
    nakres->setMinimumSize(200, 280);
    nakres->setAlignment(Qt::AlignCenter);

    skusobnaStrana = new QPushButton(QStringLiteral("Skúšobná strana"), this);
    skusobnaStrana->setObjectName(QStringLiteral("skusobnaStrana"));
    akceptovat = new QPushButton(QStringLiteral("Akceptovať"), this);
    akceptovat->setObjectName(QStringLiteral("akceptovat"));
    akceptovat->setDefault(true);
    zrusit = new QPushButton(QStringLiteral("Zrušiť"), this);
    zrusit->setObjectName(QStringLiteral("zrusit"));

    auto* note = new QLabel(QStringLiteral("Posun celého formulára tak, ako ho čítate: doprava a nadol. "
                                           "Vytlačte skúšobnú stranu na obyčajný papier, priložte ju na formulár "
                                           "proti svetlu a zvyšný rozdiel dopíšte sem."),
                            this);
    note->setWordWrap(true);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Tlačiareň"), tlaciaren);
    fields->addRow(QStringLiteral("Doprava"), doprava);
    fields->addRow(QStringLiteral("Nadol"), nadol);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(skusobnaStrana);
    buttons->addStretch();
    buttons->addWidget(akceptovat);
    buttons->addWidget(zrusit);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(note);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(nakres);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addLayout(buttons);

    connect(tlaciaren, &QComboBox::currentIndexChanged, this, &Tzarovnanie::tlaciarenChange);
    connect(doprava, &QDoubleSpinBox::valueChanged, this, &Tzarovnanie::redraw);
    connect(nadol, &QDoubleSpinBox::valueChanged, this, &Tzarovnanie::redraw);
    connect(skusobnaStrana, &QPushButton::clicked, this, &Tzarovnanie::skusobnaStranaClick);
    connect(akceptovat, &QPushButton::clicked, this, &Tzarovnanie::akceptovatClick);
    connect(zrusit, &QPushButton::clicked, this, &QDialog::reject);
    tlaciarenChange();
}

QString Tzarovnanie::shiftPath() const { return app_.pathInProgramFolder(ShiftFileName); }

FormShift Tzarovnanie::shift() const { return {doprava->value(), nadol->value()}; }

void Tzarovnanie::tlaciarenChange()
{
    const FormShift stored = window_.printerShift(tlaciaren->currentText());
    doprava->setValue(stored.rightMm);
    nadol->setValue(stored.downMm);
    redraw();
}

void Tzarovnanie::redraw()
{
    // An A4 page at 1 pixel to a millimetre and a bit: the job's own drawing,
    // with the form sketched, under the outline of the printable area.
    constexpr int width = 200, height = 283;
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(width / 0.210));
    page.setDotsPerMeterY(qRound(height / 0.297));
    {
        QtPrintCanvas canvas(page);
        window_.printOn(canvas, shift(), true);
    }
    QPainter border(&page);
    border.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1, Qt::DashLine));
    border.drawRect(0, 0, width - 1, height - 1);
    border.end();
    nakres->setPixmap(QPixmap::fromImage(page));
}

void Tzarovnanie::skusobnaStranaClick()
{
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(this);
    if (!canvas || !window_.outputAllowed(*canvas))
        return;
    const PrintOutcome outcome = window_.printAlignmentSheet(*canvas, shift());
    if (outcome != PrintOutcome::Printed)
        app_.platform.showMessage(PrintOutcomeMessage(outcome, *canvas));
}

void Tzarovnanie::akceptovatClick()
{
    if (!WriteShift(shiftPath(), ShiftGroup(window_.subject().form(), tlaciaren->currentText()), shift())) {
        app_.platform.showMessage(NotSavedMessage.arg(shiftPath()));
        return;
    }
    accept();
}
