#include "ui/printing/PrintPreview.h"

#include "ui/widgets/ScreenFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

PrintPreview::PrintPreview(QPrinter& printer, const QString& description, Paint paint) : QDialog(nullptr)
{
    setObjectName(QStringLiteral("Ukazka"));
    setWindowTitle(QStringLiteral("Ukážka pred tlačou"));
    resize(640, 760);

    preview = new QPrintPreviewWidget(&printer, this);
    preview->setObjectName(QStringLiteral("ukazka"));
    connect(preview, &QPrintPreviewWidget::paintRequested, this, [paint](QPrinter* target) { paint(*target); });

    popisTlace = new QLabel(description, this);
    popisTlace->setObjectName(QStringLiteral("popisTlace"));
    popisTlace->setWordWrap(true);
    popisTlace->setTextInteractionFlags(Qt::TextSelectableByMouse);
    popisTlace->setToolTip(description);
    // Never squeezed below its wrapped lines: the page above gives way.
    popisTlace->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);

    auto tool = [this](const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        return b;
    };
    QToolButton* zoomIn = tool(QStringLiteral("+"), QStringLiteral("Zväčšiť"));
    QToolButton* zoomOut = tool(QStringLiteral("−"), QStringLiteral("Zmenšiť"));
    QToolButton* wholePage = tool(QStringLiteral("Celá strana"), QStringLiteral("Zobraziť celú stranu"));
    QToolButton* actual = tool(QStringLiteral("100 %"), QStringLiteral("Skutočná veľkosť"));
    connect(zoomIn, &QToolButton::clicked, preview, [this] { preview->zoomIn(); });
    connect(zoomOut, &QToolButton::clicked, preview, [this] { preview->zoomOut(); });
    connect(wholePage, &QToolButton::clicked, preview, &QPrintPreviewWidget::fitInView);
    connect(actual, &QToolButton::clicked, preview, [this] {
        preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview->setZoomFactor(1.0);
    });

    print = new QPushButton(QStringLiteral("Tlačiť"), this);
    print->setObjectName(QStringLiteral("tlacit"));
    print->setDefault(true);
    closeButton = new QPushButton(QStringLiteral("Zavrieť"), this);
    closeButton->setObjectName(QStringLiteral("zavriet"));
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* tools = new QHBoxLayout;
    for (QToolButton* b : {zoomIn, zoomOut, wholePage, actual})
        tools->addWidget(b);
    tools->addStretch();
    tools->addWidget(print);
    tools->addWidget(closeButton);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(tools);
    whole->addWidget(preview, 1);
    whole->addWidget(popisTlace);
    preview->setMinimumHeight(120);
    preview->fitInView();
    // Fitted once its contents are known, so its bottom line stays on the screen.
    FitOnScreen(this);
}

void PrintPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitDescription();
}

void PrintPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitDescription();
}

void PrintPreview::fitDescription()
{
    // The wrapped description's height for the width it is given now.
    const QMargins m = layout()->contentsMargins();
    const int width = std::max(1, this->width() - m.left() - m.right());
    const int height = popisTlace->heightForWidth(width);
    if (height > 0 && popisTlace->minimumHeight() != height)
        popisTlace->setMinimumHeight(height);
}
