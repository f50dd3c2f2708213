#pragma once
// The envelope, described once: its fields, the personal-data fill, and a page
// that lies where its template says.
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/print/FormDescription.h"

const FormDescription& EnvelopeForm();

// The frame of an envelope of template `t` with the print face `face`.
PageFrame EnvelopeFrame(const EnvelopeTemplate& t, const QString& face);
EnvelopeTemplate TemplateOfFrame(const PageFrame& frame);

// The template a name chooses, read from the program folder's data/; nothing
// and `why` in words when the name or the file cannot be used.
FrameResult ReadEnvelopeFrame(const QString& programFolder, const QString& templateName, const QString& face);

// Why a template name or a template read from a file cannot carry an
// envelope, in words for the user; empty when it can.
QString TemplateNameUnusable(const QString& templateName);
QString TemplateSizeUnusable(const EnvelopeTemplate& t);
