// A "<name>.obl" envelope template as the envelope window and the batch
// printer read it: any 16 bytes or more are a template (nothing is range
// checked), fewer are reported; a template written by the wizard is 16 bytes
// that read back the same; and any template prints an envelope and an
// alignment sheet on any page, or says the page is unusable. Bytes after the
// 16 choose the page, the shift and the lines.
#include "FuzzSupport.h"
#include "core/forms/envelope/EnvelopeForm.h"
#include "core/batch/BatchRow.h"
#include "core/forms/envelope/EnvelopePrint.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/forms/envelope/TemplateList.h"
#include "core/forms/envelope/TemplateName.h"
#include "support/PrintWrappers.h"
#include "support/RecordingCanvas.h"

#include <QDir>
#include <cstring>

namespace {

// A 32-bit value from `bytes` at `at`, or `fallback` when the input is shorter.
std::int32_t valueAt(const QByteArray& bytes, qsizetype at, std::int32_t fallback)
{
    if (bytes.size() < at + 4)
        return fallback;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString programFolder = ScratchFolder();
    const QString folder = DataFolder(programFolder);
    QDir().mkpath(folder);
    const QString file = TemplatePath(programFolder, QStringLiteral("fuzz.obl"));
    const QString copy = TemplatePath(programFolder, QStringLiteral("copy.obl"));
    RemoveFile(copy);
    WriteBytes(file, input);

    EnvelopeTemplate t;
    try {
        t = ReadTemplateFile(QFile::encodeName(file).toStdString());
        FUZZ_CHECK(input.size() >= qsizetype(EnvelopeTemplateSize));
    } catch (const TemplateOpenError&) {
        FUZZ_CHECK(false); // the file is there and readable: only a short read may fail
    } catch (const FileError& e) {
        FUZZ_CHECK(input.size() < qsizetype(EnvelopeTemplateSize));
        FUZZ_CHECK(std::strcmp(e.what(), "Read beyond end of file") == 0);
        // The batch printer names the same reason for that row.
        const FrameResult frame = ReadEnvelopeFrame(programFolder, QStringLiteral("fuzz.obl"), QString());
        FUZZ_CHECK(!frame.frame);
        FUZZ_CHECK(frame.why == QString::fromUtf8(e.what()));
        return 0;
    }
    const EnvelopeTemplateBytes encoded = EncodeTemplate(t);
    FUZZ_CHECK(std::memcmp(encoded.data(), input.constData(), EnvelopeTemplateSize) == 0);
    FUZZ_CHECK(DecodeTemplate(encoded) == t);

    // The wizard's save, then the window's read.
    WriteTemplateFile(QFile::encodeName(copy).toStdString(), t);
    FUZZ_CHECK(ReadBytes(copy) == input.left(qsizetype(EnvelopeTemplateSize)));
    FUZZ_CHECK(ReadTemplateFile(QFile::encodeName(copy).toStdString()) == t);
    const QStringList listed = ListTemplates(folder);
    FUZZ_CHECK(listed.contains(QStringLiteral("fuzz.obl")) && listed.contains(QStringLiteral("copy.obl")));
    const FrameResult frame = ReadEnvelopeFrame(programFolder, QStringLiteral("copy.obl"), QString());
    // A template with no extent or no font sizes is refused, never printed as an empty page.
    if (t.WidthMm > 0 && t.HeightMm > 0 && t.RecipientFontSize > 0 && t.SenderFontSize > 0)
        FUZZ_CHECK(frame.frame && TemplateOfFrame(*frame.frame) == t && frame.why.isEmpty());
    else
        FUZZ_CHECK(!frame.frame && !frame.why.isEmpty());

    // The page, the shift (within the 30 mm the alignment allows) and the
    // number of lines of each block come from the bytes after the template.
    // A page as a printer driver may report it: up to a million pixels and
    // ten metres a side, or none at all.
    const PageMeasures page{valueAt(input, 16, ExamplePrinter.PageWidth) % 1000001,
                            valueAt(input, 20, ExamplePrinter.PageHeight) % 1000001,
                            valueAt(input, 24, ExamplePrinter.HorzSize) % 10001,
                            valueAt(input, 28, ExamplePrinter.VertSize) % 10001};
    const std::int32_t shiftBits = valueAt(input, 32, 0);
    const FormShift shift{static_cast<std::int8_t>(shiftBits & 0xFF) % 31 * 1.0,
                          static_cast<std::int8_t>((shiftBits >> 8) & 0xFF) % 31 * 1.0};
    const int count = input.size() > 36 ? static_cast<unsigned char>(input[36]) % 8 : 3;
    EnvelopeLines lines;
    for (int i = 0; i < count; ++i) {
        lines.sender << QStringLiteral("Odosielateľ %1").arg(i);
        lines.recipient << QStringLiteral("Adresát %1").arg(i);
        if (i % 2 == 0)
            lines.note << QStringLiteral("Poznámka %1").arg(i);
    }
    const qsizetype lineCount = lines.sender.size() + lines.note.size() + lines.recipient.size();
    const PrintOutcome expected = page.usable() ? PrintOutcome::Printed : PrintOutcome::UnusablePage;

    for (const bool sketch : {false, true}) {
        RecordingCanvas canvas(page);
        FUZZ_CHECK(PrintEnvelope(canvas, t, lines, QStringLiteral("DejaVu Sans Mono"), shift, sketch) == expected);
        if (expected == PrintOutcome::Printed) {
            FUZZ_CHECK(canvas.drawn.size() == lineCount);
            FUZZ_CHECK(canvas.guides.size() == (sketch ? 1 : 0));
            for (const RotatedText& text : canvas.drawn)
                FUZZ_CHECK(text.angle == 270 && text.emPixels > 0 && text.text.endsWith(QString(44, QLatin1Char(' '))));
        } else {
            FUZZ_CHECK(canvas.begun == 0 && canvas.drawn.isEmpty());
        }
    }
    RecordingCanvas sheet(page);
    FUZZ_CHECK(PrintEnvelopeAlignmentSheet(sheet, t, QString(), shift) == expected);
    FUZZ_CHECK(sheet.drawn.isEmpty());
    FUZZ_CHECK(sheet.guides.size() == (expected == PrintOutcome::Printed ? 1 : 0));
    return 0;
}
