#include "core/print/PageFit.h"

#include "core/print/DryRunCanvas.h"
#include "core/print/PageRenderer.h"
#include "core/print/PrintFont.h"
#include "core/print/PrintJob.h"

#include <QSet>
#include <algorithm>
#include <optional>

namespace {

// The sketch draws a slip's outline this far past its last area's last text.
constexpr int FormTailMm = 14;

struct Box {
    long long acrossFrom, acrossTo; // x, device pixels
    double alongFrom, alongTo;      // y, device pixels: the letters as the print font sets them
    double blank;                   // a blank of that font
    double lastLetter;
    QSet<QString> fields;
};

QList<RotatedText> drawnTexts(const FormDescription& form, const FormPage& page, const PageMeasures& measures,
                              int screenDpi, int deviceDpi, const CanvasFont& font, const FormShift& shift)
{
    DryRunCanvas canvas(measures, screenDpi, deviceDpi);
    canvas.font = font;
    RunPrintJob(
        canvas, page.frame.font,
        [&](PrintCanvas& c, const PageMeasures& m) {
            DrawFormPage(c, m, form, page, false);
            return true;
        },
        form.jobShift(shift));
    return canvas.texts;
}

QString key(const RotatedText& t)
{
    // Made for every text of every blanked drawing, so no formatting: the
    // place as six raw code units, then the text.
    QString k(t.text.size() + 6, Qt::Uninitialized);
    QChar* at = k.data();
    for (const int v : {t.x, t.y, t.emPixels}) {
        const auto u = static_cast<quint32>(v);
        *at++ = QChar(static_cast<char16_t>(u >> 16));
        *at++ = QChar(static_cast<char16_t>(u & 0xFFFF));
    }
    std::copy(t.text.cbegin(), t.text.cend(), at);
    return k;
}

// Each visible text of the page with the fields it shows: those whose
// blanking makes it go or change.
QList<Box> boxes(const FormDescription& form, const FormPage& page, const PageMeasures& measures, int screenDpi,
                 int deviceDpi, const CanvasFont& font, const FormShift& shift)
{
    const QList<RotatedText> all = drawnTexts(form, page, measures, screenDpi, deviceDpi, font, shift);
    QList<Box> out;
    QList<int> index(all.size(), -1);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const RotatedText& t = all[i];
        const QString visible = t.text.trimmed();
        if (visible.isEmpty() || t.angle != 270)
            continue; // spaces leave no mark; upright text lays itself out (the payment page)
        const TextReach reach = ReachOf(t);
        index[i] = static_cast<int>(out.size());
        out.append({static_cast<long long>(t.x) - t.emPixels, t.x, t.y + reach.from, t.y + reach.to, reach.blank,
                    reach.lastLetter, {}});
    }
    if (out.isEmpty())
        return out; // nothing to tell a field of: spare the page's drawing without each
    for (const FieldSpec& f : form.fields) {
        const QString name = QString::fromLatin1(f.name);
        if (!page.texts.has(f.name) || page.texts.text(name).isEmpty())
            continue;
        FormPage blank = page;
        if (page.texts.hasLines(f.name))
            blank.texts.setMemo(name, {}, {});
        else
            blank.texts.setText(name, {});
        QSet<QString> left;
        for (const RotatedText& t : drawnTexts(form, blank, measures, screenDpi, deviceDpi, font, shift))
            left.insert(key(t));
        for (qsizetype i = 0; i < all.size(); ++i)
            if (index[i] >= 0 && !left.contains(key(all[i])))
                out[index[i]].fields.insert(name);
    }
    return out;
}

bool offPage(const Box& b, const PageMeasures& page)
{
    return b.acrossFrom < 0 || b.acrossTo > page.PageWidth || b.alongFrom < 0 || b.alongTo > page.PageHeight;
}

} // namespace

FitReport CheckPageFit(const FormDescription& form, const FormPage& page, const PageMeasures& measures,
                       int screenDpi, int deviceDpi, const CanvasFont& font, const FormShift& shift)
{
    FitReport report;
    if (!measures.usable())
        return report;
    QSet<QString> off, into;
    // Off the page as printed, with the printer's shift.
    for (const Box& b : boxes(form, page, measures, screenDpi, deviceDpi, font, shift))
        if (offPage(b, measures))
            off.unite(b.fields);
    // Into another part: the shift moves every text alike, so without it.
    const QList<Box> placed = boxes(form, page, measures, screenDpi, deviceDpi, font, {});
    QList<double> starts;
    const SlipPlacement placement(measures, page.frame.referenceMm);
    for (const AreaSpan& a : form.areas)
        starts.append(placement.DeviceY(a.fromMm));
    std::sort(starts.begin(), starts.end());
    // The form ends where its outline does: past its last area's last text.
    const std::optional<double> formEnd = form.areas.empty()
                                              ? std::nullopt
                                              : std::optional<double>(placement.DeviceY(form.areas.back().toMm + FormTailMm));
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const Box& b = placed[i];
        if (b.fields.isEmpty())
            continue;
        // A text before the first area belongs to it.
        auto next = std::upper_bound(starts.cbegin(), starts.cend(), b.alongFrom);
        if (next == starts.cbegin() && next != starts.cend())
            ++next;
        bool crosses = (next != starts.cend() && b.alongTo - *next >= b.lastLetter) || (formEnd && b.alongTo > *formEnd);
        const long long body = (b.acrossTo - b.acrossFrom) / 5;
        for (qsizetype j = 0; j < placed.size() && !crosses; ++j) {
            const Box& o = placed[j];
            if (j == i || o.fields.intersects(b.fields))
                continue;
            // On one line, two texts closer than half a blank read as one
            // word ("97101Prievidza"); a blank a little narrower than the
            // font's still parts them.
            const double apart = b.blank / 2;
            crosses = b.acrossFrom + body < o.acrossTo - body && o.acrossFrom + body < b.acrossTo - body
                      && b.alongFrom < o.alongTo + apart && o.alongFrom < b.alongTo + apart;
        }
        if (crosses)
            into.unite(b.fields);
    }
    for (const FieldSpec& f : form.fields) {
        const QString name = QString::fromLatin1(f.name);
        if (off.contains(name))
            report.offPage << name;
        else if (into.contains(name))
            report.intoOther << name;
    }
    return report;
}

FitReport CheckPageFit(const FormDescription& form, const FormPage& page, const PrintCanvas& like,
                       const FormShift& shift)
{
    return CheckPageFit(form, page, like.measures(), like.screenDpi(), like.deviceDpi(), like.font, shift);
}

QString FieldCaptionOf(const FormDescription& form, const QString& name)
{
    const FieldSpec* f = form.field(name);
    return f && f->caption && *f->caption ? QString::fromUtf8(f->caption) : name;
}

QString FitReportLines(const FormDescription& form, const FitReport& report)
{
    const auto captions = [&](const QStringList& names) {
        QStringList out;
        for (const QString& n : names)
            out << FieldCaptionOf(form, n);
        return out.join(QStringLiteral("; "));
    };
    QStringList lines;
    if (!report.offPage.isEmpty())
        lines << OffPageLine.arg(captions(report.offPage));
    if (!report.intoOther.isEmpty())
        lines << IntoOtherLine.arg(captions(report.intoOther));
    return lines.join(QLatin1Char('\n'));
}
