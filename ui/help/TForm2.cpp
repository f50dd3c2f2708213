#include "ui/help/TForm2.h"

#include "ui/widgets/Controls.h"
#include "ui/widgets/PictureLabel.h"
#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/ScreenFit.h"

#include <QFrame>
#include <QLabel>

namespace {

QLabel* caption(QWidget* parent, const char* name, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(8, top);
    label->adjustSize();
    return label;
}

PictureLabel* link(QWidget* parent, const char* name, const QString& address, int top)
{
    auto* label = new PictureLabel(address, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    label->setPalette(blue);
    label->setCursor(Qt::PointingHandCursor);
    label->move(16, top);
    label->adjustSize();
    return label;
}

} // namespace

TForm2::TForm2(AppState& app) : QWidget(nullptr), app_(app)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Odkazy na internetové stránky."));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(SmallFontPixels);
    setFont(windowFont);
    setFixedSize(280, 118);
    move(402, 110);
    FitOnScreen(this);

    Label1 = caption(this, "Label1", QStringLiteral("Stránky programu Zelvana:"), 5);
    Label2 = link(this, "Label2", ProgramPage, 20);
    addSeparator(this, 38);
    Label3 = caption(this, "Label3", QStringLiteral("Stránky autora programu:"), 44);
    Label4 = link(this, "Label4", AuthorPage, 59);
    addSeparator(this, 77);
    Label5 = caption(this, "Label5", QStringLiteral("Knižnica Qt, na ktorej program stojí:"), 83);
    Label6 = link(this, "Label6", QtPage, 98);

    connect(Label2, &PictureLabel::clicked, this, &TForm2::Label2Click);
    connect(Label4, &PictureLabel::clicked, this, &TForm2::Label4Click);
    connect(Label6, &PictureLabel::clicked, this, &TForm2::Label6Click);
}

void TForm2::Label2Click() { OpenHelpFile(app_); }
void TForm2::Label4Click() { OpenHelpFile(app_); }
void TForm2::Label6Click() { app_.platform.shellOpen(QtPage); }
