#pragma once
// A framed group of radio buttons of which at most one is selected, addressed
// by item index; -1 is no selection, as a group has before the user picks.
#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The items are named `name`_0, `name`_1, ...
    RadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const;
    int count() const;

private:
    QButtonGroup* buttons_;
};
