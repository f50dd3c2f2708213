#include "RecordUse.h"

#include "FuzzSupport.h"
#include "batch/BatchRow.h"
#include "envelopes/EnvelopePrint.h"
#include "print/PrintJob.h"
#include "support/RecordingCanvas.h"

void CheckFillAndPrint(const ProgramSettings& settings, const PersonalData& personal)
{
    for (const FormKind form : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD, FormKind::Envelope}) {
        BatchContext context;
        context.form = form;
        context.settings = settings;
        context.personal = personal;
        context.programFolder = ScratchFolder();
        const QHash<QString, QString> texts = RowControlTexts(context, BatchHeader{}, TableRow{2, {}});
        for (const FieldSpec& c : FormControls(form)) {
            const auto it = texts.find(QString::fromLatin1(c.name));
            FUZZ_CHECK(it != texts.end());
            FUZZ_CHECK(c.kind == FieldKind::Memo || it->size() <= c.maxLength);
        }
        FUZZ_CHECK(texts.size() == static_cast<qsizetype>(FormControls(form).size()));

        RecordingCanvas canvas(ExamplePrinter);
        PrintOutcome outcome;
        if (form == FormKind::Envelope) {
            const EnvelopeTemplate dl{110, 220, 11, 9};
            outcome = PrintEnvelope(canvas, dl, EnvelopeLinesOf(texts), fromCp1250(settings.printFontName()));
        } else {
            outcome = PrintSlip(canvas, SlipBaseFont(settings), FormReferenceMm(form), FormLayout(form),
                                SlipFieldTexts(form, texts));
        }
        FUZZ_CHECK(outcome == PrintOutcome::Printed);
        FUZZ_CHECK(canvas.begun == 1 && canvas.ended == 1 && canvas.pages == 0);
        for (const RotatedText& t : canvas.drawn)
            FUZZ_CHECK(t.face.size() <= 31 && t.emPixels > 0);
    }
}
