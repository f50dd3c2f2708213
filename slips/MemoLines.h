#pragma once
// The lines a wrapping memo shows: long lines wrapped at its width, a last
// empty line not counted. The print follows these lines.
#include <QStringList>

class QPlainTextEdit;

QStringList ShownLines(const QPlainTextEdit* memo);
