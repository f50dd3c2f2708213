#include "core/forms/slips/SlipForms.h"

#include "core/print/FontFaces.h"
#include "core/print/FormSketch.h"
#include "core/print/Placement.h"
#include "core/print/TextWrap.h"
#include "core/base/Cp1250.h"
#include "core/records/ProgramSettings.h"

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

FormDescription slip(FormKind kind, const char* windowClass, const char* caption, const char* name, int r,
                     std::span<const LayoutRow> layout, std::span<const AreaSpan> areas,
                     std::span<const FieldSpec> fields,
                     FieldTexts (*fill)(const ProgramSettings&, const PersonalData&))
{
    return {kind,   windowClass, caption,  name,      name,      r,         layout,
            areas,  fields,      fill,     wrapMemo,  slipFrame, drawSlip,  sketchSlip,
            slipPlacement, nullptr};
}

} // namespace

const FormDescription& SlipAForm()
{
    static const FormDescription form = slip(FormKind::SlipA, "TApoukazka", "Poštová poukážka typu A", "A", 102,
                                             SlipALayout(), SlipAAreas(), SlipA, SlipAFill);
    return form;
}

const FormDescription& SlipCForm()
{
    static const FormDescription form = slip(FormKind::SlipC, "TCpoukazka", "Poštová poukážka typu C", "C", 102,
                                             SlipCLayout(), SlipCAreas(), SlipC, SlipCFill);
    return form;
}

const FormDescription& SlipDForm()
{
    static const FormDescription form = slip(FormKind::SlipD, "TDpoukazka", "Poštová poukážka typu D", "D", 104,
                                             SlipDLayout(), SlipDAreas(), SlipD, SlipDFill);
    return form;
}

QFont SlipMemoFont()
{
    // The window font the memo inherits, at the small pixel size.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return MeasuredAlike(font);
}
