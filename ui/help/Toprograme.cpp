#include "ui/help/Toprograme.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/DialogControls.h"
#include "core/base/Jpeg.h"
#include "ui/frame/Pictures.h"
#include "ui/help/TForm2.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const char* face, int pixels, QPoint at)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(pixels);
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The version is white, as designed for a dark box; on the light menu colour
// of most desktops white all but vanished, and the box's own text colour reads.
QColor versionColour(const QPalette& box)
{
    const double back = luminance(box.color(QPalette::Window));
    auto contrast = [back](const QColor& c) {
        const double l = luminance(c);
        return (std::max(l, back) + 0.05) / (std::min(l, back) + 0.05);
    };
    for (const QColor& c : {QColor(Qt::white), box.color(QPalette::WindowText)})
        if (contrast(c) >= 4.5)
            return c;
    return back > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

Toprograme::Toprograme(AppState& app) : QDialog(nullptr), app_(app)
{
    setObjectName(QStringLiteral("oprograme"));
    setWindowTitle(QStringLiteral("O programe"));
    setDialogFont(this);
    placeDialog(this, 269, 189, 260, 116);
    QPalette menuColour = palette();
    menuColour.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(menuColour);
    setAutoFillBackground(true);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(1);
    frame->setGeometry(6, 6, 84, 179);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 80, 175);
    Image1->setAlignment(Qt::AlignCenter);
    loadPicture();

    Label6 = label(this, "Label6", QStringLiteral("program"), "Arial Narrow", 16, {120, 0});
    Label2 = label(this, "Label2", QStringLiteral("Zelvana"), "Impact", 35, {96, 8});
    QFont heavy = Label2->font();
    heavy.setBold(true);
    Label2->setFont(heavy);
    Label2->adjustSize();
    Label5 = label(this, "Label5", QStringLiteral("verzia 1.0.1"), "Arial Narrow", 21, {176, 40});
    QPalette version = Label5->palette();
    version.setColor(QPalette::WindowText, versionColour(palette()));
    Label5->setPalette(version); // and, like every label, no background of its own

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(96, 72, 169, 2);

    Label3 = label(this, "Label3", QStringLiteral("Pre systém Windows 95, 98, ME"), "Arial Narrow", 13, {104, 80});

    Button1 = new QPushButton(QStringLiteral("Zatvoriť"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(136, 160, 75, 25);
    Button1->setDefault(true);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(240, 162, 23, 22);
    SpeedButton1->setIcon(QIcon(Pictures::linksIcon()));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolTip(QStringLiteral("Odkazy na internetové stránky."));

    connect(Button1, &QPushButton::clicked, this, &Toprograme::Button1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &Toprograme::SpeedButton1Click);
}

void Toprograme::loadPicture()
{
    // A missing or damaged picture leaves the frame empty, without a word.
    try {
        const QByteArray bytes =
            ReadRegularFile(app_.pathInProgramFolder(QStringLiteral("data/oprograme.jpg")), SmallFileLimit);
        if (const std::optional<QImage> picture = DecodeJpeg(bytes))
            Image1->setPixmap(QPixmap::fromImage(*picture));
    } catch (const FileError&) {
    }
}

void Toprograme::Button1Click() { close(); }

void Toprograme::SpeedButton1Click()
{
    auto* links = new TForm2(app_);
    // While this box is modal, Qt blocks every window that is not its own. As
    // a transient of the box the links window takes input all the same, and
    // with no parent it stays when the box is destroyed.
    links->winId();
    if (QWindow* box = windowHandle())
        links->windowHandle()->setTransientParent(box);
    links->show();
}
