#include "ui/widgets/MemoLines.h"

#include "core/print/TextWrap.h"

#include <QPlainTextEdit>
#include <QTextDocument>

qreal WrapWidth(const QPlainTextEdit* memo)
{
    return memo->width() - 2 * memo->frameWidth() - 2 * memo->document()->documentMargin();
}

QStringList ShownLines(const QPlainTextEdit* memo)
{
    return WrapLines(memo->toPlainText(), memo->font(), WrapWidth(memo));
}
