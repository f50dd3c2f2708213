#pragma once
// The lines a wrapping memo shows, from its text, its font and its wrap width.
#include <QStringList>

class QPlainTextEdit;

QStringList ShownLines(const QPlainTextEdit* memo);
// The width the memo's text wraps at: inside its frame and document margins.
qreal WrapWidth(const QPlainTextEdit* memo);
