#include "core/print/FormSketch.h"

#include <QRectF>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace {

// The form's extent in millimetres: x across its height (top edge 0), y along its width.
struct Extent {
    int minX = 1000, maxX = 0;
    int width = 0;
};

Extent extentOf(std::span<const LayoutRow> layout, std::span<const AreaSpan> areas)
{
    Extent e;
    for (const LayoutRow& row : layout) {
        e.minX = std::min(e.minX, row.xMm);
        e.maxX = std::max(e.maxX, row.xMm + (row.form == TextForm::MemoLines ? 6 : 0));
    }
    e.width = areas.empty() ? 0 : areas.back().toMm + 14;
    return e;
}

// A rectangle on the form, in millimetres, as four device lines.
void addRect(Guide& g, const SlipPlacement& p, double x0, double y0, double x1, double y1)
{
    const int left = p.DeviceX(x0), right = p.DeviceX(x1);
    const int top = p.DeviceY(y0), bottom = p.DeviceY(y1);
    g.lines << QLine(left, top, left, bottom) << QLine(right, top, right, bottom) << QLine(left, top, right, top)
            << QLine(left, bottom, right, bottom);
}

int pixelsPerMm(const PageMeasures& page) { return std::max(1, page.PageHeight / std::max(1, page.VertSize)); }

// A template of any size puts positions at the ends of the int range: a
// number beside its tick stays there rather than wrapping round.
int saturatedAdd(int a, int b)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) + b, INT_MIN, INT_MAX));
}

} // namespace

QString FieldCaption(const char* field)
{
    static const std::pair<const char*, const char*> captions[] = {
        {"suma", "Suma"},          {"hal", "Haliere"},         {"slovom1", "Slovom"},       {"banka", "Banka"},
        {"cu1", "Číslo účtu"},     {"ucet", "Z účtu"},         {"ksymbol", "K. symbol"},    {"vsymbol", "V. symbol"},
        {"nazov_uctu", "Názov účtu"}, {"vakup", "VAKÚP"},      {"ad1", "Adresát"},          {"od1", "Odosielateľ"},
        {"skr", "Skratka"},        {"adpsc", "PSČ"},           {"odpsc", "PSČ"}};
    for (const auto& [name, caption] : captions)
        if (std::strcmp(name, field) == 0)
            return QString::fromUtf8(caption);
    return {};
}

Guide SketchForm(std::span<const LayoutRow> layout, std::span<const AreaSpan> areas, const SlipPlacement& placement,
                 const PageMeasures& page, bool pale)
{
    Guide g;
    g.pale = pale;
    const Extent e = extentOf(layout, areas);
    addRect(g, placement, 0, 0, e.maxX + 8, e.width);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const double end = i + 1 < areas.size() ? areas[i + 1].fromMm - 3 : e.width - 2;
        addRect(g, placement, std::max(1, e.minX - 4), areas[i].fromMm - 1, e.maxX + 6, end);
    }
    const int mm = pixelsPerMm(page);
    // Slip D has no od1: its sender begins in od2.
    const bool senderInOd2 = std::none_of(layout.begin(), layout.end(),
                                          [](const LayoutRow& r) { return std::strcmp(r.field, "od1") == 0; });
    QSet<QString> captioned; // once per area
    std::size_t area = 0;
    for (const LayoutRow& row : layout) {
        while (area + 1 < areas.size() && row.yMm >= areas[area + 1].fromMm - 1)
            ++area;
        if (row.form == TextForm::Character)
            addRect(g, placement, row.xMm - 0.5, row.yMm - 0.4, row.xMm + 4.5, row.yMm + 2.6);
        const char* field = senderInOd2 && std::strcmp(row.field, "od2") == 0 ? "od1" : row.field;
        const QString caption = FieldCaption(field);
        const QString key = QString::number(area) + QString::fromLatin1(field);
        if (caption.isEmpty() || captioned.contains(key))
            continue;
        captioned.insert(key);
        g.texts << Guide::Text{caption, placement.DeviceX(row.xMm - 2.2), placement.DeviceY(row.yMm), 2 * mm};
    }
    return g;
}

namespace {

// Rulers inside the top edge (along the width) and the left edge (across the
// height) of a form `height` by `width` millimetres, and crosses at its corners.
void addRulersAndCrosses(Guide& g, const SlipPlacement& placement, const PageMeasures& page, double height,
                         double width)
{
    const int mm = pixelsPerMm(page);
    // Whatever a template says, a sheet of rulers stays a sheet.
    const int widthTicks = static_cast<int>(std::clamp(width, 0.0, 2000.0));
    const int heightTicks = static_cast<int>(std::clamp(height, 0.0, 2000.0));
    // A tick every millimetre, longer every 5, numbered every 10.
    for (int y = 0; y <= widthTicks; ++y) {
        const double tick = y % 10 == 0 ? 4 : y % 5 == 0 ? 2.5 : 1.2;
        g.lines << QLine(placement.DeviceX(0), placement.DeviceY(y), placement.DeviceX(tick), placement.DeviceY(y));
        if (y % 10 == 0 && y > 0)
            g.texts << Guide::Text{QString::number(y), placement.DeviceX(5), saturatedAdd(placement.DeviceY(y), -mm), 2 * mm};
    }
    for (int x = 0; x <= heightTicks; ++x) {
        const double tick = x % 10 == 0 ? 4 : x % 5 == 0 ? 2.5 : 1.2;
        g.lines << QLine(placement.DeviceX(x), placement.DeviceY(0), placement.DeviceX(x), placement.DeviceY(tick));
        if (x % 10 == 0 && x > 0)
            g.texts << Guide::Text{QString::number(x), saturatedAdd(placement.DeviceX(x), mm), placement.DeviceY(5), 2 * mm};
    }
    // Crosses at the corners, 6 mm across.
    for (double x : {0.0, height})
        for (double y : {0.0, width}) {
            g.lines << QLine(placement.DeviceX(x - 3), placement.DeviceY(y), placement.DeviceX(x + 3), placement.DeviceY(y));
            g.lines << QLine(placement.DeviceX(x), placement.DeviceY(y - 3), placement.DeviceX(x), placement.DeviceY(y + 3));
        }
}

// The cell a guide text takes on the page, in device pixels, as the canvas
// draws it: turned to run down the page from (x, y), its cell reaching back
// across x. Reckoned from the em alone, on the large side of DejaVu Sans (a
// line 1.164 em high, no letter of the captions wider than 0.75 em on
// average), so a sheet comes out the same without a font or a screen.
QRectF textCell(const Guide::Text& t)
{
    const double em = t.emPixels, height = 1.17 * em;
    return {t.x - height, static_cast<double>(t.y), height, 0.75 * em * t.text.size()};
}

// The texts from `captions` on are the rulers' numbers, which must stay where
// their ticks are: a caption written over one is moved clear of it, along its
// field's line where it can (it still reads as that field's), else further
// into the form, past the ruler.
void keepCaptionsOffRulers(Guide& g, qsizetype captions, const PageMeasures& page)
{
    const int mm = pixelsPerMm(page);
    QList<QRectF> numbers;
    for (qsizetype i = captions; i < g.texts.size(); ++i)
        numbers << textCell(g.texts[i]).adjusted(-mm / 2.0, -mm / 2.0, mm / 2.0, mm / 2.0);
    for (qsizetype i = 0; i < captions; ++i) {
        Guide::Text& caption = g.texts[i];
        const QRectF cell = textCell(caption);
        const auto clearAt = [&](int dx, int dy) {
            const QRectF moved = cell.translated(dx, dy);
            return std::none_of(numbers.begin(), numbers.end(), [&](const QRectF& n) { return n.intersects(moved); });
        };
        if (clearAt(0, 0))
            continue;
        std::optional<QPoint> by;
        for (int half = 1; half <= 24 && !by; ++half)
            if (clearAt(0, half * mm / 2))
                by = QPoint(0, half * mm / 2);
        for (int half = 1; half <= 24 && !by; ++half)
            if (clearAt(-half * mm / 2, 0))
                by = QPoint(-half * mm / 2, 0);
        if (by) {
            caption.x = saturatedAdd(caption.x, by->x());
            caption.y = saturatedAdd(caption.y, by->y());
        }
    }
}

} // namespace

Guide AlignmentSheet(std::span<const LayoutRow> layout, std::span<const AreaSpan> areas, const SlipPlacement& placement,
                     const PageMeasures& page)
{
    Guide g = SketchForm(layout, areas, placement, page, false);
    const qsizetype captions = g.texts.size();
    const Extent e = extentOf(layout, areas);
    addRulersAndCrosses(g, placement, page, e.maxX + 8, e.width);
    keepCaptionsOffRulers(g, captions, page);
    return g;
}

Guide SketchEnvelope(const SlipPlacement& placement, const PageMeasures& page, long double widthMm,
                     long double heightMm, bool pale)
{
    Guide g;
    g.pale = pale;
    addRect(g, placement, 0, 0, static_cast<double>(widthMm), static_cast<double>(heightMm));
    const int mm = pixelsPerMm(page);
    g.texts << Guide::Text{QStringLiteral("Odosielateľ"), placement.DeviceX(widthMm / 16 - 2.2L), placement.DeviceY(10), 2 * mm};
    g.texts << Guide::Text{QStringLiteral("Adresát"), placement.DeviceX(0.6L * widthMm - 2.2L),
                           placement.DeviceY(0.6L * heightMm), 2 * mm};
    return g;
}

Guide EnvelopeAlignmentSheet(const SlipPlacement& placement, const PageMeasures& page, long double widthMm,
                             long double heightMm)
{
    Guide g = SketchEnvelope(placement, page, widthMm, heightMm, false);
    const qsizetype captions = g.texts.size();
    addRulersAndCrosses(g, placement, page, static_cast<double>(widthMm), static_cast<double>(heightMm));
    keepCaptionsOffRulers(g, captions, page);
    return g;
}
