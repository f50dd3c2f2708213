#include "RecordUse.h"

#include "FuzzSupport.h"
#include "core/batch/BatchRow.h"
#include "core/forms/envelope/EnvelopeForm.h"
#include "core/print/PageRenderer.h"
#include "support/PrintWrappers.h"
#include "support/RecordingCanvas.h"

void CheckFillAndPrint(const ProgramSettings& settings, const PersonalData& personal)
{
    for (const FormKind form : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD, FormKind::Envelope}) {
        BatchContext context;
        context.form = form;
        context.settings = settings;
        context.personal = personal;
        context.programFolder = ScratchFolder();
        const FormDescription& description = Form(form);
        const FieldTexts texts = RowFieldTexts(context, BatchHeader{}, TableRow{2, {}});
        for (const FieldSpec& c : description.fields) {
            FUZZ_CHECK(texts.has(c.name));
            FUZZ_CHECK(c.kind == FieldKind::Memo || texts.text(c.name).size() <= c.maxLength);
        }
        FUZZ_CHECK(texts.size() == static_cast<qsizetype>(description.fields.size()));

        RecordingCanvas canvas(ExamplePrinter);
        PrintOutcome outcome;
        if (form == FormKind::Envelope) {
            const EnvelopeTemplate dl{110, 220, 11, 9};
            outcome = PrintFormPage(canvas, description,
                                    {EnvelopeFrame(dl, fromCp1250(settings.printFontName())),
                                     PrintTexts(description, texts)});
        } else {
            outcome = PrintSlip(canvas, SlipBaseFont(settings), description, PrintTexts(description, texts));
        }
        FUZZ_CHECK(outcome == PrintOutcome::Printed);
        FUZZ_CHECK(canvas.begun == 1 && canvas.ended == 1 && canvas.pages == 0);
        for (const RotatedText& t : canvas.drawn)
            FUZZ_CHECK(t.face.size() <= 31 && t.emPixels > 0);
    }
}
