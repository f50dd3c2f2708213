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

// One envelope as one print job through the page renderer: the sender's font from the template on the
// face given (an empty face keeps the canvas's), then the drawing.
// With `sketch`, the envelope's outline is drawn pale under the text.
PrintOutcome PrintEnvelope(PrintCanvas& canvas, const EnvelopeTemplate& t, const EnvelopeLines& lines,
                           const QString& face, const FormShift& shift = {}, bool sketch = false);
// The sheet that lines a printer up with envelopes of this template.
PrintOutcome PrintEnvelopeAlignmentSheet(PrintCanvas& canvas, const EnvelopeTemplate& t, const QString& face,
                                         const FormShift& shift);
