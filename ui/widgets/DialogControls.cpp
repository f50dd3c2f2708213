#include "ui/widgets/DialogControls.h"

#include "ui/widgets/ScreenFit.h"
#include "ui/widgets/CodePageMemo.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/CodePageEdit.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

QLineEdit* makeEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new CodePageEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

void limitStoredText(QPlainTextEdit* memo, int maxStored)
{
    // Stored with CR LF between its lines: each break takes two characters.
    // What an edit brings beyond the limit is dropped, from its end, as a
    // QLineEdit drops what goes past its maximum length.
    QTextDocument* document = memo->document();
    QObject::connect(document, &QTextDocument::contentsChange, memo,
                     [memo, document, maxStored](int position, int, int added) {
                         const QString text = memo->toPlainText();
                         const int over = int(text.size() + text.count(QLatin1Char('\n'))) - maxStored;
                         if (over <= 0 || added <= 0)
                             return;
                         const int end = std::min<int>(position + added, document->characterCount() - 1);
                         int start = end;
                         for (int excess = over; start > position && excess > 0; --start)
                             excess -= document->characterAt(start - 1) == QChar::ParagraphSeparator ? 2 : 1;
                         QTextCursor cut(document);
                         cut.setPosition(start);
                         cut.setPosition(end, QTextCursor::KeepAnchor);
                         cut.removeSelectedText();
                     });
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
