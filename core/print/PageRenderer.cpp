#include "core/print/PageRenderer.h"

#include "core/print/PrintCanvas.h"

const FieldSpec* FormDescription::field(const QString& name) const
{
    for (const FieldSpec& f : fields)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

QStringList FormDescription::fieldNames() const
{
    QStringList names;
    for (const FieldSpec& f : fields)
        names << QString::fromLatin1(f.name);
    return names;
}

QString FormDescription::initialText(const QString& name) const
{
    const FieldSpec* f = field(name);
    return f ? QString::fromLatin1(f->initial) : QString();
}

FieldTexts PrintTexts(const FormDescription& form, const FieldTexts& fieldTexts)
{
    FieldTexts out;
    for (const FieldSpec& f : form.fields) {
        const QString name = QString::fromLatin1(f.name);
        if (!fieldTexts.has(f.name))
            continue;
        const QString text = fieldTexts.text(name);
        if (f.kind == FieldKind::Memo)
            out.setMemo(name, text, form.memoLines(text));
        else
            out.setText(name, text);
    }
    return out;
}

void PreparePage(const FormDescription& form, FormPage& page)
{
    if (form.prepare && (!page.made || !page.made->madeFrom(page.texts)))
        page.made = form.prepare(page.texts);
}

void DrawFormPage(PrintCanvas& canvas, const PageMeasures& page, const FormDescription& form, const FormPage& p,
                  bool sketch)
{
    SetBasePrintFont(canvas, p.frame.font);
    if (sketch)
        canvas.drawGuide(form.sketch(form, page, p.frame, SketchUse::UnderText));
    // What a page carries is used only while it still matches its texts.
    if (form.prepare && (!p.made || !p.made->madeFrom(p.texts))) {
        FormPage prepared = p;
        PreparePage(form, prepared);
        form.draw(form, canvas, page, prepared);
        return;
    }
    form.draw(form, canvas, page, p);
}

PagesOutcome PrintFormPages(PrintCanvas& canvas, const FormDescription& form, std::span<const FormPage> pages,
                            const FormShift& shift, bool sketch, const PageProgress& progress)
{
    PagesOutcome result;
    for (const FormPage& p : pages)
        if (!MissingFields(form.layout, p.texts).isEmpty()) {
            result.outcome = PrintOutcome::MissingFields;
            return result;
        }
    if (pages.empty())
        return result;
    result.outcome = RunPrintJob(
        canvas, pages.front().frame.font,
        [&](PrintCanvas& c, const PageMeasures& page) {
            for (const FormPage& p : pages) {
                if (result.pages > 0 && progress && !progress(result.pages)) {
                    result.cancelled = true;
                    return true; // the pages drawn go out whole
                }
                if (result.pages > 0 && !c.newPage())
                    return false;
                DrawFormPage(c, page, form, p, sketch);
                ++result.pages;
            }
            if (progress && result.pages > 0)
                progress(result.pages);
            return true;
        },
        form.jobShift(shift));
    return result;
}

PrintOutcome PrintFormPage(PrintCanvas& canvas, const FormDescription& form, const FormPage& page,
                           const FormShift& shift, bool sketch)
{
    return PrintFormPages(canvas, form, std::span<const FormPage>(&page, 1), shift, sketch).outcome;
}

PrintOutcome PrintAlignmentSheet(PrintCanvas& canvas, const FormDescription& form, const PageFrame& frame,
                                 const FormShift& shift)
{
    return RunPrintJob(
        canvas, frame.font,
        [&](PrintCanvas& c, const PageMeasures& page) {
            c.drawGuide(form.sketch(form, page, frame, SketchUse::AlignmentSheet));
            return true;
        },
        form.jobShift(shift));
}
