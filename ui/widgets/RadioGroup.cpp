#include "ui/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 2, 6, 2);
    column->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
        buttons_->addButton(button, i);
        column->addWidget(button);
    }
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        buttons_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    buttons_->setExclusive(false);
    for (QAbstractButton* b : buttons_->buttons())
        b->setChecked(false);
    buttons_->setExclusive(true);
}

QRadioButton* RadioGroup::item(int index) const { return static_cast<QRadioButton*>(buttons_->button(index)); }

int RadioGroup::count() const { return static_cast<int>(buttons_->buttons().size()); }
