#include "core/forms/user/UserTestPage.h"

#include "core/forms/user/UserPlacement.h"

#include <algorithm>
#include <cmath>

namespace {

QPoint rounded(const QPointF& p) { return {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))}; }

// A field's name as the page labels it; a static text shows its words.
QString label(const UserField& f)
{
    if (!f.name.isEmpty())
        return f.name;
    return f.value;
}

constexpr double LabelMm = 2.5;

} // namespace

QTransform PaperToDevice(const PageMeasures& page, const QSizeF& paperMm)
{
    if (!page.usable())
        return {};
    const double offX = std::max(0.0, (paperMm.width() - page.HorzSize) / 2.0);
    const double offY = std::max(0.0, (paperMm.height() - page.VertSize) / 2.0);
    return QTransform::fromTranslate(-offX, -offY)
           * QTransform::fromScale(static_cast<double>(page.PageWidth) / page.HorzSize,
                                   static_cast<double>(page.PageHeight) / page.VertSize);
}

QTransform FormToDevice(const UserLayout& layout, const PageMeasures& page)
{
    return FormToPaper(layout) * PaperToDevice(page, PaperSizeMm(layout.paper));
}

QList<Guide> UserTestPageGuides(const UserLayout& layout, const PageMeasures& page, const QImage& background)
{
    QList<Guide> guides;
    const QTransform toDevice = FormToDevice(layout, page);
    if (!background.isNull() && background.width() > 0 && background.height() > 0) {
        Guide scan;
        scan.pale = true;
        const QTransform imageToForm =
            QTransform::fromScale(layout.widthMm / background.width(), layout.heightMm / background.height());
        scan.pictures.append({background, imageToForm * toDevice});
        guides.append(scan);
    }
    Guide boxes;
    boxes.pale = false;
    const double pixelsPerMm = page.usable() ? static_cast<double>(page.PageHeight) / page.VertSize : 0;
    for (const UserField& f : layout.fields) {
        const QRectF r(f.xMm, f.yMm, f.widthMm, f.heightMm);
        const QPoint tl = rounded(toDevice.map(r.topLeft())), tr = rounded(toDevice.map(r.topRight()));
        const QPoint br = rounded(toDevice.map(r.bottomRight())), bl = rounded(toDevice.map(r.bottomLeft()));
        boxes.lines << QLine(tl, tr) << QLine(tr, br) << QLine(br, bl) << QLine(bl, tl);
        if (const QString text = label(f); !text.isEmpty()) {
            Guide::Text t;
            t.text = text;
            t.x = tl.x();
            t.y = tl.y();
            t.emPixels = std::max(1, static_cast<int>(std::lround(std::min(LabelMm, f.heightMm) * pixelsPerMm)));
            t.angle = TextAngle(layout);
            boxes.texts.append(t);
        }
    }
    guides.append(boxes);
    return guides;
}

PrintOutcome PrintUserTestPage(PrintCanvas& canvas, const UserLayout& layout, const QImage& background,
                               const FormShift& shift)
{
    const BaseFont font{static_cast<std::int32_t>(std::lround(layout.font.sizePt)), layout.font.family, SlipFontDivisor};
    return RunPrintJob(
        canvas, font,
        [&](PrintCanvas& c, const PageMeasures& page) {
            for (const Guide& g : UserTestPageGuides(layout, page, background))
                c.drawGuide(g);
            return true;
        },
        ShiftAsSlips(layout, shift));
}
