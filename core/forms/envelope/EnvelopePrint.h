#pragma once
// The envelope on the printer page: the sender's and the note's lines at the
// envelope's top left, the recipient's at 60 % of its width and height, all
// placed from the template's size. The envelope's top edge lies W millimetres
// right of the printable area's left edge.
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/print/PrintJob.h"

#include <QStringList>

class PrintCanvas;

// The font values of a template are divided by 5 before the page scales them.
inline constexpr long double EnvelopeFontDivisor = 5.0L;

// Why an envelope of template `t` does not fit the printable area `page`
// (its width lies across the page, its height down the page), in words for
// the user; empty when it fits or has no extent.
QString EnvelopeOffPage(const EnvelopeTemplate& t, const PageMeasures& page);

// The lines a memo that does not wrap shows: one per line break, the last
// empty line (after a closing break) not counted; nothing for an empty text.
QStringList MemoTextLines(const QString& text);

struct EnvelopeLines {
    QStringList sender;
    QStringList note;
    QStringList recipient;
};

// Draws the three blocks on one page; each line is followed by 44 spaces.
void DrawEnvelope(PrintCanvas& canvas, const PageMeasures& page, const EnvelopeTemplate& t, const EnvelopeLines& lines);
