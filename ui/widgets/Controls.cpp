#include "ui/widgets/Controls.h"

#include "ui/widgets/CodePageEdit.h"
#include "ui/widgets/CodePageMemo.h"
#include "core/print/FontFaces.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

static void setPixelFont(QWidget* w, int pixelSize, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    w->setFont(f);
}

static void blackOnWhite(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    w->setPalette(pal);
}

QLineEdit* addEdit(QWidget* parent, const char* name, int left, int top, int width, int maxLength, bool bold,
                   int pixelSize)
{
    auto* e = new CodePageEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(left, top, width, 21);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    setPixelFont(e, pixelSize, bold);
    blackOnWhite(e);
    return e;
}

QLabel* addLabel(QWidget* parent, const QString& text, int left, int top, bool bold, int pixelSize)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    setPixelFont(label, pixelSize, bold);
    label->adjustSize();
    return label;
}

void addSeparator(QWidget* parent, int top)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, top, parent->width(), 2);
}

QComboBox* addBankCombo(QWidget* parent, int left, int top, int width)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("banka"));
    combo->setLineEdit(new CodePageEdit(combo)); // editable, with the edits' guard
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setGeometry(left, top, width, 21);
    return combo;
}

QPlainTextEdit* addMemo(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* memo = new CodePageMemo(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(left, top, width, height);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the wrap width never changes
    memo->setTabChangesFocus(true);
    setPixelFont(memo, SmallFontPixels, false);
    memo->setFont(MeasuredAlike(memo->font())); // wraps as the print measures it
    blackOnWhite(memo);
    return memo;
}

void setTabChain(std::initializer_list<QWidget*> chain)
{
    QWidget* previous = nullptr;
    for (QWidget* w : chain) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void paintClient(QWidget* client, const QColor& background, const QColor& captions)
{
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::WindowText, captions);
    client->setPalette(pal);
    client->setAutoFillBackground(true);
}

QList<QWidget*> TextFields(QWidget* root)
{
    QList<QWidget*> fields;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
            fields << w;
    return fields;
}

void ConnectCodePageHints(QWidget* root, const FieldHint& hint)
{
    for (QWidget* field : TextFields(root)) {
        if (auto* memo = qobject_cast<CodePageMemo*>(field)) {
            QObject::connect(memo, &CodePageMemo::refused, memo, [hint, memo] { hint(memo, CodePageHint); });
        } else if (auto* edit = qobject_cast<CodePageEdit*>(field)) {
            QObject::connect(edit, &CodePageEdit::refused, edit, [hint, edit] { hint(edit, CodePageHint); });
        }
    }
}

void setFieldText(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->setCursorPosition(0);
}

void setFieldText(QComboBox* combo, const QString& text)
{
    combo->setEditText(text);
    if (combo->lineEdit())
        combo->lineEdit()->setCursorPosition(0);
}
