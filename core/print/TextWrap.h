#pragma once
// The lines a wrapping memo shows for a text: each paragraph laid out at the
// wrap width in the memo's font, breaking at word boundaries or anywhere; a
// last empty line is not counted. Prints follow these lines.
#include <QFont>
#include <QStringList>

QStringList WrapLines(const QString& text, const QFont& font, qreal wrapWidth);
