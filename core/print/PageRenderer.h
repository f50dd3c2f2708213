#pragma once
// The one way a form's page is drawn: for the window's print, the preview,
// the alignment sheet and every row of a batch.
#include "core/print/FormDescription.h"

#include <functional>

// The texts a print of `form` reads, from each field's text as a window or a
// table row holds it: memos get the lines the form's memo shows.
FieldTexts PrintTexts(const FormDescription& form, const FieldTexts& fieldTexts);

// Makes what the page's drawing needs from its texts, unless it carries it.
void PreparePage(const FormDescription& form, FormPage& page);

// Base font, the form's sketch when asked, then the texts. A page is drawn
// with what it carries, even when a dry run blanked one of its texts: the
// rest of the page then stays exactly as it prints. A page that carries
// nothing has it made for this drawing.
void DrawFormPage(PrintCanvas& canvas, const PageMeasures& page, const FormDescription& form, const FormPage& p,
                  bool sketch);

// Called after each page with the pages done; false stops before the next.
using PageProgress = std::function<bool(int pagesDone)>;

struct PagesOutcome {
    PrintOutcome outcome = PrintOutcome::Refused;
    int pages = 0;
    bool cancelled = false;
};

// One job, one page per entry. A layout naming a field the texts lack prints
// nothing (MissingFields). What a page carries is printed only when it was
// made from the page's own texts; otherwise it is made again.
PagesOutcome PrintFormPages(PrintCanvas& canvas, const FormDescription& form, std::span<const FormPage> pages,
                            const FormShift& shift = {}, bool sketch = false, const PageProgress& progress = {});
PrintOutcome PrintFormPage(PrintCanvas& canvas, const FormDescription& form, const FormPage& page,
                           const FormShift& shift = {}, bool sketch = false);

// The sheet that lines a printer up with the form.
PrintOutcome PrintAlignmentSheet(PrintCanvas& canvas, const FormDescription& form, const PageFrame& frame,
                                 const FormShift& shift);
