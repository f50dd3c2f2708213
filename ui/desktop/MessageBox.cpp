#include "ui/desktop/MessageBox.h"

#include "ui/frame/Platform.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QSpacerItem>

std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text, QWidget* parent)
{
    // Our texts use a bare CR as line break, as message boxes on the old
    // platform did; Qt wants LF.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, AppTitle, shown, QMessageBox::Ok, parent);
    // A short text would give a box narrower than its caption plus the title
    // bar's buttons; the window manager then cuts the caption.
    const int captionWidth = box->fontMetrics().horizontalAdvance(AppTitle) * 3 / 2 + 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                      0, 1, grid->columnCount());
    return box;
}

std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& name, const QString& text, QWidget* parent)
{
    std::unique_ptr<QMessageBox> box = MakeMessageBox(text, parent);
    box->setObjectName(name);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("Áno"));
    box->button(QMessageBox::No)->setText(QStringLiteral("Nie"));
    return box;
}

bool AnsweredYes(QMessageBox& box) { return box.clickedButton() == box.button(QMessageBox::Yes); }
