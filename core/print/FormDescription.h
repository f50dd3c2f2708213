#pragma once
// What a form is, said once: its kind and names, where it lies on the page,
// its layout rows and areas, its fields with their limits, how the personal
// data fills it and how its page is drawn. The windows build their fields
// from it, the batch takes its columns and checks from it, and the preview,
// the sketch, the alignment sheet and every print read it.
#include "core/print/FieldTexts.h"
#include "core/print/Layout.h"
#include "core/print/PrintJob.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class PersonalData;
class PrintCanvas;
class ProgramSettings;

// Every form the program prints, one enum for windows, batch and print.
// User is a form a layout file describes; the count is of the built-in ones.
enum class FormKind { SlipA, SlipC, SlipD, Envelope, Payment, User };
inline constexpr std::size_t FormKindCount = 5;

enum class FieldKind {
    Line,  // a one-line edit (or an editable combo)
    Memo,  // several lines
    Words, // a words line: typed by click, out of the tab order
};

// QLineEdit's limit when none is set; memos take no more in a batch either.
inline constexpr int DefaultMaxLength = 32767;

struct FieldSpec {
    const char* name;
    FieldKind kind;
    int maxLength = DefaultMaxLength;
    const char* initial = ""; // the text when a new window opens
    const char* caption = ""; // how messages name it, as the window's label reads (UTF-8); empty: the name
};

// Where one page of a form lies and the font it starts with, resolved before
// drawing: a slip's reference R; an envelope's size and fonts from its template.
struct PageFrame {
    std::int32_t referenceMm = 0; // R of the placement rule (an envelope: its width)
    std::int32_t heightMm = 0;    // an envelope's extent down the page
    BaseFont font;
    std::int32_t secondFontSize = 0; // an envelope's recipient font
};

// What a page's drawing needs that is dear to build (a payment's QR code):
// made once from the page's texts and carried with the page, so the dry runs
// and the print draw the same thing without building it again.
class PageArtefact {
public:
    virtual ~PageArtefact() = default;
    // True when it was made from exactly these texts.
    virtual bool madeFrom(const FieldTexts& texts) const = 0;
};

// One page to print: where it lies, its texts and what was made from them.
struct FormPage {
    PageFrame frame;
    FieldTexts texts;
    std::shared_ptr<const PageArtefact> made = nullptr;
};

enum class SketchUse { UnderText, AlignmentSheet };

// A resolved frame, or why there is none.
struct FrameResult {
    std::optional<PageFrame> frame;
    QString why;
};
// Frames already resolved in one run, by the text that chose them (an
// envelope's template name), so a table reads each template once.
using FrameCache = QHash<QString, FrameResult>;

// A text a form's own rules refuse: the field and why, in Slovak.
struct FieldProblem {
    QString field;
    QString text;
    QString windowText = {}; // how a window says it, when not as `text`
};

struct FormDescription {
    FormKind kind;
    const char* caption;     // its caption, UTF-8
    const char* userName;    // how messages name it: "A", "obálka"
    const char* optionName;  // zelvana-batch --form value, plain ASCII
    int referenceMm;         // R; 0 when each page's frame says
    std::span<const LayoutRow> layout; // empty when the page is drawn otherwise
    std::span<const AreaSpan> areas;
    std::span<const FieldSpec> fields; // tab order, then the words lines
    // What a new window fills in from the personal data as the settings say,
    // before a field's limit cuts it.
    std::function<FieldTexts(const ProgramSettings& settings, const PersonalData& personal)> fill;
    // The lines a memo of this form shows for a text.
    std::function<QStringList(const QString& text)> memoLines;
    // The frame of a page with these texts; `programFolder` with a trailing separator.
    std::function<FrameResult(const FormDescription& form, const ProgramSettings& settings,
                              const QString& programFolder, const FieldTexts& texts, FrameCache* cache)>
        frame;
    // Draws the page's texts; the base font is set.
    std::function<void(const FormDescription& form, PrintCanvas& canvas, const PageMeasures& page, const FormPage& p)>
        draw;
    // The form itself, pale under the text or black on the alignment sheet.
    std::function<Guide(const FormDescription& form, const PageMeasures& page, const PageFrame& frame, SketchUse use)>
        sketch;
    // Where the form lies on the page, in a line for the preview; `frame` is
    // null when the page's frame could not be resolved.
    std::function<QString(const PageFrame* frame)> placement;
    // The form's own rules over every field's text, beyond a field's limit and
    // code page; each refusal in field order. It may complete texts the form
    // derives (a payment's BIC from its IBAN). Null for a form without.
    std::function<QList<FieldProblem>(const QString& programFolder, FieldTexts& texts)> check;
    // Builds what drawing a page of these print texts needs once; null for a
    // form that needs nothing beyond its texts.
    std::function<std::shared_ptr<const PageArtefact>(const FieldTexts& texts)> prepare = nullptr;
    // The words lines that follow an amount field's text, by field name: none
    // for a field no words follow, nothing at all when the text is no amount
    // the words can say. Null for a form without words lines.
    std::function<std::optional<FieldTexts>(const QString& field, const QString& text)> amountWords = nullptr;
    // The fields a window empties before it fills in the personal data again,
    // in the order it empties them.
    std::span<const char* const> clearedFields = {};
    // What the pointers and spans of a form made at run time (from a layout
    // file) point into; null for a built-in form.
    std::shared_ptr<const void> keep = nullptr;
    // The text of the page's QR code, which a journal keeps; null for a form
    // without one (the payment page's is read from its own check).
    std::function<QString(const FieldTexts& texts)> payload = nullptr;
    // A printer shift as the user reads this form (right and down along its
    // texts) in the frame a print job applies it in, a slip's fed turned;
    // null for the built-in forms, which are all read so.
    std::function<FormShift(const FormShift& asRead)> readingShift = nullptr;

    FormShift jobShift(const FormShift& asRead) const { return readingShift ? readingShift(asRead) : asRead; }
    // A user form's layout file and its bytes as read, which a journal keeps.
    QString layoutFile = {};
    QByteArray layoutBytes = {};

    const FieldSpec* field(const QString& name) const;
    QStringList fieldNames() const;
    QString initialText(const QString& name) const;
    // The fields Tab goes through, in their order: all but the words lines.
    QStringList tabOrder() const
    {
        QStringList names;
        for (const FieldSpec& f : fields)
            if (f.kind != FieldKind::Words)
                names << QString::fromLatin1(f.name);
        return names;
    }
};
