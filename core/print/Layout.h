#pragma once
// A form layout is a table of rows in drawing order that reads like the slip's
// table: which control, how its text is drawn, where (mm) and any font step
// just before it. One executor draws any table.
#include "core/print/FieldTexts.h"
#include "core/print/Placement.h"

#include <QStringList>
#include <span>
#include <string_view>

class PrintCanvas;

enum class TextForm {
    Whole,      // the control's text
    Amount,     // "-" + text + "-"
    Hellers,    // "-" + text + "0-"
    Character,  // character k of the text (1-based), nothing past its end
    JoinSpace,  // text + " " + text of field2
    JoinSlash,  // text + "/" + text of field2
    MemoLines,  // one row per shown line i, at x + 3i
    NamePart,   // the text before the first comma
    StreetPart, // the text from the second character after the first comma
};

struct LayoutRow {
    TextForm form;
    const char* field;
    int xMm;
    int yMm;
    FontStep step = FontStep::None;
    int spaces = 44; // the run of spaces after the visible text
    int k = 0;       // for Character
    const char* field2 = nullptr;
};

// Readable row builders for the tables.
namespace rows {
constexpr LayoutRow text(const char* f, int x, int y, FontStep s = FontStep::None, int spaces = 44)
{
    return {TextForm::Whole, f, x, y, s, spaces};
}
constexpr LayoutRow amount(const char* f, int x, int y, FontStep s = FontStep::None)
{
    return {TextForm::Amount, f, x, y, s};
}
constexpr LayoutRow hellers(const char* f, int x, int y, FontStep s = FontStep::None)
{
    return {TextForm::Hellers, f, x, y, s};
}
constexpr LayoutRow character(const char* f, int k, int x, int y, int spaces = 43)
{
    return {TextForm::Character, f, x, y, FontStep::None, spaces, k};
}
constexpr LayoutRow joinSpace(const char* f, const char* f2, int x, int y, FontStep s = FontStep::None)
{
    return {TextForm::JoinSpace, f, x, y, s, 44, 0, f2};
}
constexpr LayoutRow joinSlash(const char* f, const char* f2, int x, int y, FontStep s = FontStep::None)
{
    return {TextForm::JoinSlash, f, x, y, s, 44, 0, f2};
}
constexpr LayoutRow memoLines(const char* f, int x, int y) { return {TextForm::MemoLines, f, x, y}; }
constexpr LayoutRow namePart(const char* f, int x, int y, FontStep s = FontStep::None)
{
    return {TextForm::NamePart, f, x, y, s};
}
constexpr LayoutRow streetPart(const char* f, int x, int y) { return {TextForm::StreetPart, f, x, y}; }
} // namespace rows

// The fields a layout reads that `fields` does not carry (memos must carry
// their shown lines). A print with any of them missing would leave rows empty.
QStringList MissingFields(std::span<const LayoutRow> layout, const FieldTexts& fields);

// The name and street parts of a sender line "name, street".
QString NamePartOf(const QString& line);
QString StreetPartOf(const QString& line);

// Draws every row through the placement rule, turned by 270 degrees.
void DrawLayout(PrintCanvas& canvas, const SlipPlacement& placement, std::span<const LayoutRow> layout,
                const FieldTexts& fields);

// The areas of a form along its width (y, millimetres), from the first to the
// last text each holds; the form's sketch is drawn from them.
struct AreaSpan {
    int fromMm;
    int toMm;
};
