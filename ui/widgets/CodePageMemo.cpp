#include "ui/widgets/CodePageMemo.h"

#include "core/base/Cp1250.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

void CodePageMemo::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty() && !fitsCp1250(event->text())) {
        event->accept();
        emit refused();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodePageMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!fitsCp1250(event->commitString())) {
        // The composition goes on; only the refused text is left out.
        QInputMethodEvent rest(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&rest);
        event->accept();
        emit refused();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool CodePageMemo::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText() && QPlainTextEdit::canInsertFromMimeData(source);
}

void CodePageMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    if (!fitsCp1250(source->text())) {
        emit refused();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}
