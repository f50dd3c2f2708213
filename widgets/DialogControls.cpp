#include "widgets/DialogControls.h"

#include "app/ScreenFit.h"
#include "widgets/CodePageMemo.h"
#include "widgets/Controls.h"
#include "widgets/CodePageEdit.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

QLineEdit* makeEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new CodePageEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setLineEdit(new CodePageEdit(c)); // editable, with the edits' guard
    c->setInsertPolicy(QComboBox::NoInsert); // the list grows only through its button
    return c;
}

QPlainTextEdit* makeMemo(QWidget* parent, const char* name, int visibleLines)
{
    auto* m = new CodePageMemo(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setTabChangesFocus(true);
    m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    const int line = m->fontMetrics().lineSpacing();
    m->setFixedHeight(visibleLines * line + 2 * m->frameWidth() + 8);
    return m;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy, bool bold)
{
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

void setDialogFont(QDialog* dialog)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(SmallFontPixels);
    dialog->setFont(f);
}

void placeDialog(QDialog* dialog, int clientWidth, int clientHeight, int left, int top)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientWidth, clientHeight);
    dialog->move(left, top);
    FitOnScreen(dialog);
}
