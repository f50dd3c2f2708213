#pragma once
// The pre-printed form drawn from what a layout implies: its outline, its
// areas, a box for each single-character row and the captions of the main
// fields. Pale under a preview's text; black, with millimetre rulers and
// corner crosses, on the sheet that lines a printer up with the form.
#include "core/print/Layout.h"
#include "core/print/PrintCanvas.h"

struct AreaSpan;

Guide SketchForm(std::span<const LayoutRow> layout, std::span<const AreaSpan> areas, const SlipPlacement& placement,
                 const PageMeasures& page, bool pale);

// The alignment sheet: the sketch in black, rulers along the form's top and
// left edges and crosses at its four corners.
Guide AlignmentSheet(std::span<const LayoutRow> layout, std::span<const AreaSpan> areas, const SlipPlacement& placement,
                     const PageMeasures& page);

// An envelope W millimetres across the page and H down it: its outline and
// where the sender's and the recipient's blocks begin.
Guide SketchEnvelope(const SlipPlacement& placement, const PageMeasures& page, long double widthMm,
                     long double heightMm, bool pale);
Guide EnvelopeAlignmentSheet(const SlipPlacement& placement, const PageMeasures& page, long double widthMm,
                             long double heightMm);

// The caption a field's box carries on the form, or nothing.
QString FieldCaption(const char* field);
