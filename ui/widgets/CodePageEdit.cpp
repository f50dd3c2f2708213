#include "ui/widgets/CodePageEdit.h"

#include "core/base/Cp1250.h"
#include "core/base/Cp1250Validator.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

CodePageEdit::CodePageEdit(QWidget* parent) : QLineEdit(parent)
{
    auto* guard = new Cp1250Validator(this);
    setValidator(guard);
    connect(guard, &Cp1250Validator::refused, this, &CodePageEdit::refused);
}

bool CodePageEdit::takes(const QString& incoming)
{
    if (isReadOnly() || fitsCp1250(incoming))
        return true;
    emit refused();
    return false;
}

void CodePageEdit::pasteChecked()
{
    if (takes(QGuiApplication::clipboard()->text()))
        paste();
}

void CodePageEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+Shift+Insert takes the selection on X11 desktops, as Qt does.
        const bool selection = event->key() == Qt::Key_Insert
                               && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (!takes(clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard))) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A whole typed character, a surrogate pair included, is refused before
    // the maximum length could split it.
    if (!event->text().isEmpty() && !takes(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CodePageEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!takes(event->commitString())) {
        // The composition goes on; only the refused text is left out.
        QInputMethodEvent rest(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&rest);
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void CodePageEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection where the desktop has one.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()
        && !takes(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CodePageEdit::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasText() && !takes(event->mimeData()->text())) {
        QDragLeaveEvent leave; // takes the drop cursor away
        dragLeaveEvent(&leave);
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

void CodePageEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's paste item goes through the same check as Ctrl+V.
    for (QAction* action : menu->actions())
        if (disconnect(action, &QAction::triggered, this, &QLineEdit::paste))
            connect(action, &QAction::triggered, this, &CodePageEdit::pasteChecked);
    menu->popup(event->globalPos());
}
