#pragma once
// Slips A, C and D, each described once: fields, layout rows, areas, the
// personal-data fill, the form's reference R, the amount's rule and its words.
#include "core/print/FormDescription.h"

#include <QFont>

// The message a slip window gives for an amount that is not all digits, before the text.
inline const QString SlipDigitErrorPrefix = QStringLiteral("Chybý zápis číslice ");

const FormDescription& SlipAForm();
const FormDescription& SlipCForm();
const FormDescription& SlipDForm();

// The rows and areas of each slip (slips/Layout?.cpp).
std::span<const LayoutRow> SlipALayout();
std::span<const LayoutRow> SlipCLayout();
std::span<const LayoutRow> SlipDLayout();
std::span<const AreaSpan> SlipAAreas();
std::span<const AreaSpan> SlipCAreas();
std::span<const AreaSpan> SlipDAreas();

// What a new slip window fills in from the personal data (slips/PersonalFill.cpp).
FieldTexts SlipAFill(const ProgramSettings& s, const PersonalData& p);
FieldTexts SlipCFill(const ProgramSettings& s, const PersonalData& p);
FieldTexts SlipDFill(const ProgramSettings& s, const PersonalData& p);

// The account-name memo of slip A: its font and the width its text wraps at.
// The window shows and prints with these, and so does a batch.
QFont SlipMemoFont();
inline constexpr qreal SlipMemoWrapWidth = 175; // 185 pixels wide, less its frame and document margins
