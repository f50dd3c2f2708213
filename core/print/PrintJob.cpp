#include "core/print/PrintJob.h"

#include "core/records/ProgramSettings.h"
#include "core/print/PrintCanvas.h"

#include <algorithm>
#include <climits>

void SetBasePrintFont(PrintCanvas& canvas, const BaseFont& font)
{
    canvas.font.size = BasePrintSize(canvas.measures(), font.size, font.divisor);
    if (!font.face.isEmpty())
        canvas.font.face = font.face.left(31);
}

namespace {

// Moves everything drawn by a fixed number of pixels; the rest goes through.
class ShiftedCanvas : public PrintCanvas {
public:
    ShiftedCanvas(PrintCanvas& target, ShiftPixels by) : target_(target), by_(by) { font = target.font; }
    ~ShiftedCanvas() override { target_.font = font; } // the font carries over to the next job
    PageMeasures measures() const override { return target_.measures(); }
    int screenDpi() const override { return target_.screenDpi(); }
    int deviceDpi() const override { return target_.deviceDpi(); }
    QString printerName() const override { return target_.printerName(); }
    bool beginDocument() override { return target_.beginDocument(); }
    bool newPage() override { return target_.newPage(); }
    bool endDocument() override { return target_.endDocument(); }
    void textOut(const RotatedText& text) override
    {
        RotatedText moved = text;
        moved.x = saturatedAdd(text.x, by_.dx);
        moved.y = saturatedAdd(text.y, by_.dy);
        target_.textOut(moved);
    }
    void drawGuide(const Guide& guide) override
    {
        Guide moved = guide;
        // A template of any size puts lines at the ends of the int range:
        // saturate there as the texts do, never wrap round.
        for (QLine& l : moved.lines)
            l = QLine(saturatedAdd(l.x1(), by_.dx), saturatedAdd(l.y1(), by_.dy), saturatedAdd(l.x2(), by_.dx),
                      saturatedAdd(l.y2(), by_.dy));
        for (Guide::Text& t : moved.texts) {
            t.x = saturatedAdd(t.x, by_.dx);
            t.y = saturatedAdd(t.y, by_.dy);
        }
        for (Guide::Picture& p : moved.pictures)
            p.toDevice *= QTransform::fromTranslate(by_.dx, by_.dy);
        target_.drawGuide(moved);
    }
    void fillRects(const QList<QRect>& rects) override
    {
        QList<QRect> moved;
        moved.reserve(rects.size());
        for (const QRect& r : rects)
            moved << QRect(saturatedAdd(r.x(), by_.dx), saturatedAdd(r.y(), by_.dy), r.width(), r.height());
        target_.fillRects(moved);
    }

private:
    static int saturatedAdd(int a, int b)
    {
        const long long sum = static_cast<long long>(a) + b;
        return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
    }
    PrintCanvas& target_;
    ShiftPixels by_;
};

} // namespace

PrintOutcome RunPrintJob(PrintCanvas& canvas, const BaseFont& font, const DrawPages& draw, const FormShift& shift)
{
    const PageMeasures page = canvas.measures();
    // Every position divides by these; a zero would put text nowhere.
    if (!page.usable())
        return PrintOutcome::UnusablePage;
    ShiftedCanvas shifted(canvas, ShiftOnPage(shift, page));
    SetBasePrintFont(shifted, font);
    if (!shifted.beginDocument())
        return PrintOutcome::Refused;
    const bool drawn = draw(shifted, page);
    // End the document either way, so the printer is not left with half a job.
    const bool ended = shifted.endDocument();
    return drawn && ended ? PrintOutcome::Printed : PrintOutcome::Refused;
}

BaseFont SlipBaseFont(const ProgramSettings& settings)
{
    return {settings.printFontSize(), fromCp1250(settings.printFontName()), SlipFontDivisor};
}

QString PrintOutcomeMessage(PrintOutcome outcome, const PrintCanvas& canvas)
{
    if (outcome == PrintOutcome::Refused && !canvas.failure().isEmpty())
        return canvas.failure();
    return PrintOutcomeMessage(outcome);
}

QString PrintOutcomeMessage(PrintOutcome outcome, const QStringList& missingFields)
{
    switch (outcome) {
    case PrintOutcome::Printed:
        return {};
    case PrintOutcome::UnusablePage:
        return UnusablePrinterMessage;
    case PrintOutcome::Refused:
        return PrintFailedMessage;
    case PrintOutcome::MissingFields:
        return MissingFieldsMessage.arg(missingFields.isEmpty() ? QStringLiteral("neznáme")
                                                                : missingFields.join(QStringLiteral(", ")));
    }
    return PrintFailedMessage;
}
