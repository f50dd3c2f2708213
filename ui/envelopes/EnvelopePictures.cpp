#include "ui/envelopes/EnvelopePictures.h"

#include "ui/frame/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

const QColor Paper(0xFF, 0xFB, 0xF2), Brown(0xA0, 0x6B, 0x2C), DarkBrown(0x5A, 0x3A, 0x12), Green(0x2F, 0x6B, 0x34);

// The shipped DL template and its fonts, in millimetres: the proportions the
// picture draws, placed as envelopes/EnvelopePrint.cpp places the lines.
constexpr qreal WidthMm = 110, HeightMm = 220, SenderPt = 9, RecipientPt = 11;

void drawArrow(QPainter& p, const QLineF& line)
{
    p.drawLine(line);
    const QLineF across = line.normalVector().unitVector();
    const QPointF tick(across.dx() * 4, across.dy() * 4);
    for (const QPointF& tip : {line.p1(), line.p2()})
        p.drawLine(tip - tick, tip + tick);
}

} // namespace

namespace Pictures {

WizardSketch wizardSideSketch(QSize size)
{
    const qreal w = size.width(), h = size.height();
    WizardSketch sketch;
    const qreal height = h * 0.45, width = height * WidthMm / HeightMm;
    sketch.envelope = QRectF(w * 0.24, h * 0.21, width, height);
    const QRectF& e = sketch.envelope;
    sketch.widthArrow = QLineF(e.left(), e.bottom() + 8, e.right(), e.bottom() + 8);
    sketch.heightArrow = QLineF(e.right() + 8, e.top(), e.right() + 8, e.bottom());
    // Across the page a line's place counts from the envelope's right edge
    // and the next line lies left of it; the text runs down the page.
    const qreal mm = width / WidthMm;
    auto lines = [&](qreal fromRightMm, qreal stepPt, qreal topMm, std::initializer_list<qreal> lengths) {
        QList<QLineF> out;
        const qreal step = std::max(stepPt / 2 * mm, 3.0);
        qreal x = e.right() - fromRightMm * mm - 1;
        for (qreal length : lengths) {
            out.append(QLineF(x, e.top() + topMm * mm, x, e.top() + topMm * mm + length * height));
            x -= step;
        }
        return out;
    };
    sketch.sender = lines(WidthMm / 16, SenderPt, 10, {0.34, 0.28, 0.22});
    sketch.recipient = lines(0.6 * WidthMm, RecipientPt, 0.6 * HeightMm, {0.32, 0.30, 0.26, 0.18});
    return sketch;
}

QPixmap wizardSide(QSize size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, QColor(0x2F, 0x6B, 0x34));
    back.setColorAt(1, QColor(0x6E, 0xA8, 0x4B));
    p.fillRect(pixmap.rect(), back);

    const qreal w = size.width(), h = size.height();
    const WizardSketch sketch = wizardSideSketch(size);
    const QRectF& e = sketch.envelope;
    p.setPen(QPen(Brown, 1.2));
    p.setBrush(Paper);
    p.drawRoundedRect(e, 2, 2);
    // The stamp goes where the address reads from its top right corner.
    p.setBrush(Brown.lighter(170));
    p.drawRect(QRectF(e.right() - 11, e.bottom() - 13, 8, 10));
    p.setPen(QPen(DarkBrown.lighter(160), 1.4));
    for (const QList<QLineF>* block : {&sketch.sender, &sketch.recipient})
        for (const QLineF& line : *block)
            p.drawLine(line);

    // The sizes the wizard asks for: the width across, the height along.
    const QColor light(0xFF, 0xE7, 0x9A);
    p.setPen(QPen(light, 1.5));
    drawArrow(p, sketch.widthArrow);
    drawArrow(p, sketch.heightArrow);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(qMax(7, int(w / 14)));
    p.setFont(small);
    p.drawText(QRectF(e.left() - 10, sketch.widthArrow.y1() + 3, e.width() + 20, small.pixelSize() + 4),
               Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("šírka"));
    p.save();
    p.translate(sketch.heightArrow.x1() + 4, e.bottom());
    p.rotate(-90);
    p.drawText(QRectF(0, 0, e.height(), small.pixelSize() + 4), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("výška"));
    p.restore();

    const QSize turtleSize(int(w * 0.45), int(w * 0.3));
    p.drawPixmap(QPointF((w - turtleSize.width()) / 2, h - turtleSize.height() - 4), turtle(turtleSize));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(qMax(8, int(w / 7)));
    p.setFont(title);
    p.setPen(QColor(0xFF, 0xF6, 0xD0));
    p.drawText(QRectF(0, h * 0.03, w, h * 0.15), Qt::AlignCenter, QStringLiteral("Šablóna"));
    return pixmap;
}

QPixmap envelopeStamp(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    // The stamp with its perforated edge.
    const QRectF stamp(w * 0.45, 2, w * 0.5, h - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(stamp);
    p.setBrush(Paper);
    for (qreal x = stamp.left(); x <= stamp.right(); x += 4) {
        p.drawEllipse(QPointF(x, stamp.top()), 1.2, 1.2);
        p.drawEllipse(QPointF(x, stamp.bottom()), 1.2, 1.2);
    }
    const QRectF picture = stamp.adjusted(4, 4, -4, -4);
    QLinearGradient face(0, picture.top(), 0, picture.bottom());
    face.setColorAt(0, QColor(0xDF, 0xE4, 0xF7));
    face.setColorAt(1, QColor(0x6E, 0xA8, 0x4B));
    p.setBrush(face);
    p.setPen(QPen(Green, 1));
    p.drawRect(picture);
    p.drawPixmap(picture.adjusted(2, picture.height() * 0.3, -2, 0).toRect(), turtle(QSize(30, 20)));
    // The postmark's rings and waves over the stamp's left edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x35, 0x4C, 0xA8, 170), 1.2));
    const QPointF centre(w * 0.4, h * 0.5);
    const qreal radius = qMin(w, h) * 0.32;
    p.drawEllipse(centre, radius, radius);
    p.drawEllipse(centre, radius * 0.7, radius * 0.7);
    for (int i = -1; i <= 1; ++i) {
        QPainterPath wave;
        const qreal y = centre.y() + i * radius * 0.45;
        wave.moveTo(2, y);
        for (qreal x = 2; x < centre.x() - radius; x += 6) {
            wave.quadTo(QPointF(x + 1.5, y - 2.5), QPointF(x + 3, y));
            wave.quadTo(QPointF(x + 4.5, y + 2.5), QPointF(x + 6, y));
        }
        p.drawPath(wave);
    }
    return pixmap;
}

} // namespace Pictures
