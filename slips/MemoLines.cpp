#include "slips/MemoLines.h"


#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextLayout>

QStringList ShownLines(const QPlainTextEdit* memo)
{
    // The width the memo wraps at: inside its frame and the document margins.
    const qreal width = memo->width() - 2 * memo->frameWidth() - 2 * memo->document()->documentMargin();
    QStringList shown;
    QStringList paragraphs = memo->toPlainText().split(QLatin1Char('\n'));
    if (!paragraphs.isEmpty() && paragraphs.last().isEmpty())
        paragraphs.removeLast();
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            shown << QString();
            continue;
        }
        QTextLayout layout(paragraph, memo->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            shown << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return shown;
}
