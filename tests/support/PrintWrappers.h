#pragma once
// Shortcuts the tests print through: a slip at its own R with a given base
// font, and an envelope from a template and its lines, each one job through
// the page renderer as the program prints it.
#include "core/forms/envelope/EnvelopeForm.h"
#include "core/forms/envelope/EnvelopePrint.h"
#include "core/print/PageRenderer.h"

// A slip at its own reference R with this base font.
inline PrintOutcome PrintSlip(PrintCanvas& canvas, const BaseFont& font, const FormDescription& form,
                              const FieldTexts& fields, const FormShift& shift = {}, bool sketch = false)
{
    FormPage page;
    page.frame.referenceMm = form.referenceMm;
    page.frame.font = font;
    page.texts = fields;
    return PrintFormPage(canvas, form, page, shift, sketch);
}

// One envelope: the sender's font from the template on the face given (an
// empty face keeps the canvas's), then the drawing; with `sketch`, the
// envelope's outline pale under the text.
inline PrintOutcome PrintEnvelope(PrintCanvas& canvas, const EnvelopeTemplate& t, const EnvelopeLines& lines,
                                  const QString& face, const FormShift& shift = {}, bool sketch = false)
{
    FormPage page{EnvelopeFrame(t, face), {}};
    page.texts.setMemo(QStringLiteral("od"), lines.sender.join(QLatin1Char('\n')), lines.sender);
    page.texts.setMemo(QStringLiteral("pozn"), lines.note.join(QLatin1Char('\n')), lines.note);
    page.texts.setMemo(QStringLiteral("adr"), lines.recipient.join(QLatin1Char('\n')), lines.recipient);
    return PrintFormPage(canvas, EnvelopeForm(), page, shift, sketch);
}

// The sheet that lines a printer up with envelopes of this template.
inline PrintOutcome PrintEnvelopeAlignmentSheet(PrintCanvas& canvas, const EnvelopeTemplate& t, const QString& face,
                                                const FormShift& shift)
{
    return PrintAlignmentSheet(canvas, EnvelopeForm(), EnvelopeFrame(t, face), shift);
}
