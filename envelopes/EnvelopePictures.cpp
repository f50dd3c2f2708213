#include "envelopes/EnvelopePictures.h"

#include "app/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Paper(0xFF, 0xFB, 0xF2), Brown(0xA0, 0x6B, 0x2C), DarkBrown(0x5A, 0x3A, 0x12), Green(0x2F, 0x6B, 0x34);

void drawEnvelope(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Brown, 1.2));
    p.setBrush(Paper);
    p.drawRoundedRect(r, 3, 3);
    QPainterPath flap;
    flap.moveTo(r.topLeft());
    flap.lineTo(r.center().x(), r.top() + r.height() * 0.5);
    flap.lineTo(r.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
}

} // namespace

namespace Pictures {

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
    const QRectF envelope(w * 0.14, h * 0.30, w * 0.72, h * 0.30);
    drawEnvelope(p, envelope);
    // Measuring arrows along two sides: the sizes the wizard asks for.
    p.setPen(QPen(QColor(0xFF, 0xE7, 0x9A), 1.5));
    const qreal below = envelope.bottom() + 10, beside = envelope.right() + 7;
    p.drawLine(QPointF(envelope.left(), below), QPointF(envelope.right(), below));
    p.drawLine(QPointF(beside, envelope.top()), QPointF(beside, envelope.bottom()));
    for (const QPointF& tip : {QPointF(envelope.left(), below), QPointF(envelope.right(), below)})
        p.drawLine(QPointF(tip.x(), tip.y() - 4), QPointF(tip.x(), tip.y() + 4));
    for (const QPointF& tip : {QPointF(beside, envelope.top()), QPointF(beside, envelope.bottom())})
        p.drawLine(QPointF(tip.x() - 3, tip.y()), QPointF(tip.x() + 3, tip.y()));
    // Address lines on the envelope.
    p.setPen(QPen(DarkBrown.lighter(160), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal y = envelope.top() + envelope.height() * (0.62 + 0.12 * i);
        p.drawLine(QPointF(envelope.left() + envelope.width() * 0.45, y), QPointF(envelope.right() - 6, y));
    }
    p.drawPixmap(QPointF(w * 0.2, h * 0.74), turtle(QSize(int(w * 0.6), int(w * 0.4))));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(qMax(8, int(w / 7)));
    p.setFont(title);
    p.setPen(QColor(0xFF, 0xF6, 0xD0));
    p.drawText(QRectF(0, h * 0.06, w, h * 0.16), Qt::AlignCenter, QStringLiteral("Šablóna"));
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
