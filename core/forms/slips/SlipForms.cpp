#include "core/forms/slips/SlipForms.h"

#include "core/print/FontFaces.h"
#include "core/print/FormSketch.h"
#include "core/print/Placement.h"
#include "core/print/TextWrap.h"
#include "core/base/Cp1250.h"
#include "core/records/ProgramSettings.h"
#include "core/words/AmountToWords.h"
#include "core/words/WordsLines.h"

namespace {
constexpr int M = DefaultMaxLength;
// Captions as the window's labels read; a field without a label of its own
// is named after the block it stands in.
constexpr FieldSpec SlipA[] = {
    {"suma", FieldKind::Line, 6, "0", "Suma, Sk"},
    {"hal", FieldKind::Line, 1, "", "Suma, h"},
    {"banka", FieldKind::Line, M, "", "Peňažný ústav"},
    {"cu1", FieldKind::Line, M, "", "Číslo účtu"},
    {"cu2", FieldKind::Line, M, "", "Číslo účtu, za lomkou"},
    {"ksymbol", FieldKind::Line, M, "", "K. symbol"},
    {"nazov_uctu", FieldKind::Memo, M, "", "Názov účtu adresáta"},
    {"vakup", FieldKind::Line, 5, "", "Prev. pošta VAKÚP"},
    {"vakup2", FieldKind::Line, M, "", "Prev. pošta VAKÚP, vedľa"},
    {"vsymbol", FieldKind::Line, M, "", "V. symbol"},
    {"od1", FieldKind::Line, M, "", "Odosielateľ, 1. riadok"},
    {"od2", FieldKind::Line, M, "", "Odosielateľ, 2. riadok"},
    {"odpsc", FieldKind::Line, 5, "", "Odosielateľ, PSČ"},
    {"od3", FieldKind::Line, M, "", "Odosielateľ, obec"},
    {"slovom1", FieldKind::Words, M, "", "Suma slovom, 1. riadok"},
    {"slovom2", FieldKind::Words, M, "", "Suma slovom, 2. riadok"},
    {"slovomh", FieldKind::Words, M, "", "Suma slovom, haliere"},
};
constexpr FieldSpec SlipC[] = {
    {"suma", FieldKind::Line, 6, "0", "Suma, Sk"},
    {"hal", FieldKind::Line, 1, "0", "Suma, h"},
    {"ad1", FieldKind::Line, M, "", "Adresát, 1. riadok"},
    {"ad2", FieldKind::Line, M, "", "Adresát, 2. riadok"},
    {"adpsc", FieldKind::Line, 5, "", "Adresát, PSČ"},
    {"ad3", FieldKind::Line, M, "", "Adresát, obec"},
    {"od1", FieldKind::Line, M, "", "Odosielateľ, 1. riadok"},
    {"od2", FieldKind::Line, M, "", "Odosielateľ, 2. riadok"},
    {"odpsc", FieldKind::Line, 5, "", "Odosielateľ, PSČ"},
    {"od3", FieldKind::Line, M, "", "Odosielateľ, obec"},
    {"slovom1", FieldKind::Words, M, "", "Suma slovom, 1. riadok"},
    {"slovom2", FieldKind::Words, M, "", "Suma slovom, 2. riadok"},
    {"slovomh", FieldKind::Words, M, "", "Suma slovom, haliere"},
};
constexpr FieldSpec SlipD[] = {
    {"suma", FieldKind::Line, 6, "0", "Suma, Sk"},
    {"hal", FieldKind::Line, 1, "0", "Suma, h"},
    {"ad1", FieldKind::Line, M, "", "Adresát, 1. riadok"},
    {"ad2", FieldKind::Line, M, "", "Adresát, 2. riadok"},
    {"adpsc", FieldKind::Line, 5, "", "Adresát, PSČ"},
    {"ad3", FieldKind::Line, M, "", "Adresát, obec"},
    {"od2", FieldKind::Line, M, "", "Odosielateľ"},
    {"odpsc", FieldKind::Line, 5, "", "Odosielateľ, PSČ"},
    {"od3", FieldKind::Line, M, "", "Odosielateľ, obec"},
    {"ucet", FieldKind::Line, M, "", "z účtu číslo"},
    {"skr", FieldKind::Line, M, "", "Banka, skratka"},
    {"banka", FieldKind::Line, M, "", "Banka"},
    {"slovom1", FieldKind::Words, M, "", "Suma slovom, 1. riadok"},
    {"slovom2", FieldKind::Words, M, "", "Suma slovom, 2. riadok"},
    {"slovomh", FieldKind::Words, M, "", "Suma slovom, haliere"},
};

QStringList wrapMemo(const QString& text) { return WrapLines(text, SlipMemoFont(), SlipMemoWrapWidth); }

// A slip lies at its own R whatever its texts say.
FrameResult slipFrame(const FormDescription& form, const ProgramSettings& settings, const QString&, const FieldTexts&,
                      FrameCache*)
{
    PageFrame frame;
    frame.referenceMm = form.referenceMm;
    frame.font = SlipBaseFont(settings);
    return {frame, {}};
}

void drawSlip(const FormDescription& form, PrintCanvas& canvas, const PageMeasures& page, const FormPage& p)
{
    DrawLayout(canvas, SlipPlacement(page, p.frame.referenceMm), form.layout, p.texts);
}

Guide sketchSlip(const FormDescription& form, const PageMeasures& page, const PageFrame& frame, SketchUse use)
{
    const SlipPlacement placement(page, frame.referenceMm);
    return use == SketchUse::AlignmentSheet ? AlignmentSheet(form.layout, form.areas, placement, page)
                                            : SketchForm(form.layout, form.areas, placement, page, true);
}

QString slipPlacement(const PageFrame* frame)
{
    if (!frame)
        return {};
    return QStringLiteral("Horný okraj formulára leží %1 mm vpravo od ľavého okraja tlačovej plochy, "
                          "ľavý okraj formulára na jej hornom okraji.")
        .arg(frame->referenceMm);
}

// The amount fields every slip carries: whole crowns and a tens-of-hellers digit.
constexpr const char* AmountFieldNames[] = {"suma", "hal"};

// Each amount holds digits only; the words beside it could say no other.
QList<FieldProblem> checkSlip(const QString&, FieldTexts& texts)
{
    QList<FieldProblem> problems;
    for (const char* name : AmountFieldNames) {
        if (!texts.has(name))
            continue;
        const QString text = texts.text(name);
        if (!IsAllDigits(toCp1250(text)))
            problems.append({QString::fromLatin1(name),
                             QStringLiteral("suma smie obsahovať len číslice 0 až 9, nie „%1“").arg(text),
                             SlipDigitErrorPrefix + text});
    }
    return problems;
}

// The crowns write the two words lines, the hellers digit the third.
std::optional<FieldTexts> slipWords(const QString& field, const QString& text)
{
    FieldTexts words;
    if (field == QLatin1String("suma")) {
        const std::optional<CrownsLines> lines = CrownsInWords(toCp1250(text));
        if (!lines)
            return std::nullopt;
        words.setText(QStringLiteral("slovom1"), fromCp1250(lines->slovom1));
        words.setText(QStringLiteral("slovom2"), fromCp1250(lines->slovom2));
    } else if (field == QLatin1String("hal")) {
        const std::optional<Cp1250> line = HellersInWords(toCp1250(text));
        if (!line)
            return std::nullopt;
        words.setText(QStringLiteral("slovomh"), fromCp1250(*line));
    }
    return words;
}

// What a window empties before the personal data fills it again: the amount
// and the words stay.
constexpr const char* SlipACleared[] = {"banka", "cu1", "cu2",  "ksymbol", "nazov_uctu", "vakup",
                                        "vsymbol", "od1", "od2", "od3",     "odpsc",      "vakup2"};
constexpr const char* SlipCCleared[] = {"ad1", "ad2", "ad3", "adpsc", "od1", "od2", "od3", "odpsc"};
// The bank's short code stays, and so does the list of banks.
constexpr const char* SlipDCleared[] = {"ad1", "ad2", "ad3", "adpsc", "banka", "ucet", "od2", "od3", "odpsc"};

FormDescription slip(FormKind kind, const char* caption, const char* name, int r, std::span<const LayoutRow> layout,
                     std::span<const AreaSpan> areas, std::span<const FieldSpec> fields,
                     FieldTexts (*fill)(const ProgramSettings&, const PersonalData&),
                     std::span<const char* const> cleared)
{
    return {kind,      caption,  name,       name,          r,         layout,  areas,
            fields,    fill,     wrapMemo,   slipFrame,     drawSlip,  sketchSlip,
            slipPlacement, checkSlip, nullptr, slipWords, cleared};
}

} // namespace

const FormDescription& SlipAForm()
{
    static const FormDescription form = slip(FormKind::SlipA, "Poštová poukážka typu A", "A", 102, SlipALayout(),
                                             SlipAAreas(), SlipA, SlipAFill, SlipACleared);
    return form;
}

const FormDescription& SlipCForm()
{
    static const FormDescription form = slip(FormKind::SlipC, "Poštová poukážka typu C", "C", 102, SlipCLayout(),
                                             SlipCAreas(), SlipC, SlipCFill, SlipCCleared);
    return form;
}

const FormDescription& SlipDForm()
{
    static const FormDescription form = slip(FormKind::SlipD, "Poštová poukážka typu D", "D", 104, SlipDLayout(),
                                             SlipDAreas(), SlipD, SlipDFill, SlipDCleared);
    return form;
}

QFont SlipMemoFont()
{
    // The window font the memo inherits, at the small pixel size.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return MeasuredAlike(font);
}
