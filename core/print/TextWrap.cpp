#include "core/print/TextWrap.h"

#include <QTextLayout>

QStringList WrapLines(const QString& text, const QFont& font, qreal wrapWidth)
{
    QStringList shown;
    QStringList paragraphs = text.split(QLatin1Char('\n'));
    if (!paragraphs.isEmpty() && paragraphs.last().isEmpty())
        paragraphs.removeLast();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            shown << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(wrapWidth);
            shown << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return shown;
}
