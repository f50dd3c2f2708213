#include "core/forms/envelope/EnvelopePrint.h"

#include "core/print/Placement.h"
#include "core/print/PrintCanvas.h"

#include <QRegularExpression>

QStringList MemoTextLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString EnvelopeOffPage(const EnvelopeTemplate& t, const PageMeasures& page)
{
    QStringList over;
    // The envelope's top edge, with the sender's block near it, lies W mm
    // right of the area's left edge.
    if (t.WidthMm > page.HorzSize)
        over << QStringLiteral("šírka %1 mm je väčšia ako šírka tlačovej plochy %2 mm")
                    .arg(t.WidthMm)
                    .arg(page.HorzSize);
    if (t.HeightMm > page.VertSize)
        over << QStringLiteral("výška %1 mm je väčšia ako výška tlačovej plochy %2 mm")
                    .arg(t.HeightMm)
                    .arg(page.VertSize);
    return over.join(QStringLiteral("; "));
}

void DrawEnvelope(PrintCanvas& canvas, const PageMeasures& page, const EnvelopeTemplate& t, const EnvelopeLines& lines)
{
    // Every millimetre argument in extended precision: no template value can
    // overflow here, and the placement rule saturates what the page cannot hold.
    const long double W = t.WidthMm;
    const long double H = t.HeightMm;
    const long double SF = t.SenderFontSize;
    const long double RF = t.RecipientFontSize;
    const SlipPlacement place(page, W);
    const QString spaces(44, QLatin1Char(' '));
    auto block = [&](const QStringList& texts, long double x0, long double step, long double y) {
        const int deviceY = place.DeviceY(y);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const long double x = x0 + static_cast<long double>(i) * step / 2;
            DrawRotatedText(canvas, texts[i] + spaces, place.DeviceX(x), deviceY, 270);
        }
    };
    // Sender and note in the job's base font, the sender's size.
    block(lines.sender, W / 16, SF, 10);
    block(lines.note, 3.7L * W / 16, SF, 10);
    canvas.font.size = BasePrintSize(page, t.RecipientFontSize, EnvelopeFontDivisor);
    block(lines.recipient, 0.6L * W, RF, 0.6L * H);
}
