#include "ui/frame/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

struct SlipColours {
    QColor light, dark, text;
    QString letter, title, subtitle;
};

SlipColours coloursFor(FormKind kind)
{
    switch (kind) {
    case FormKind::SlipA:
        return {QColor(0xE6, 0xF5, 0xD8), QColor(0x3C, 0x8D, 0x3F), QColor(0x1E, 0x4D, 0x22), QStringLiteral("A"),
                QStringLiteral("Poukážka A"), QStringLiteral("platba na účet")};
    case FormKind::SlipC:
        return {QColor(0xDF, 0xE4, 0xF7), QColor(0x35, 0x4C, 0xA8), QColor(0x1C, 0x2A, 0x66), QStringLiteral("C"),
                QStringLiteral("Poukážka C"), QStringLiteral("na adresu")};
    case FormKind::SlipD:
        return {QColor(0xF7, 0xE0, 0xE7), QColor(0xC7, 0x2E, 0x60), QColor(0x6B, 0x14, 0x31), QStringLiteral("D"),
                QStringLiteral("Poukážka D"), QStringLiteral("z účtu na adresu")};
    case FormKind::Payment:
        return {QColor(0xEE, 0xEE, 0xEE), QColor(0x20, 0x20, 0x20), QColor(0x10, 0x10, 0x10), QStringLiteral("QR"),
                QStringLiteral("Platba QR"), QStringLiteral("PAY by square")};
    case FormKind::User:
        return {QColor(0xE8, 0xF1, 0xF1), QColor(0x2E, 0x7D, 0x7A), QColor(0x12, 0x3F, 0x3D), QStringLiteral("F"),
                QStringLiteral("Vlastný formulár"), QStringLiteral("podľa popisu")};
    case FormKind::Envelope:
        break;
    }
    return {QColor(0xF6, 0xEB, 0xD9), QColor(0xA0, 0x6B, 0x2C), QColor(0x5A, 0x3A, 0x12), QString(),
            QStringLiteral("Obálka"), QStringLiteral("adresa na obálku")};
}

QPixmap blank(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A small slip form: a ruled card with its letter in a coloured corner.
void drawMiniSlip(QPainter& p, const QRectF& r, const SlipColours& c)
{
    p.setPen(QPen(c.dark, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(c.dark.lighter(150), 1));
    for (qreal y = r.top() + r.height() * 0.45; y < r.bottom() - 2; y += r.height() * 0.18)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    QRectF corner(r.left(), r.top(), r.width() * 0.38, r.height() * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(c.dark);
    p.drawRoundedRect(corner, 2, 2);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(qMax(6, int(corner.height() * 0.8)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(corner, Qt::AlignCenter, c.letter);
}

void drawMiniEnvelope(QPainter& p, const QRectF& r, const SlipColours& c)
{
    p.setPen(QPen(c.dark, 1));
    p.setBrush(QColor(0xFF, 0xFB, 0xF2));
    p.drawRoundedRect(r, 2, 2);
    QPainterPath flap;
    flap.moveTo(r.topLeft());
    flap.lineTo(r.center().x(), r.top() + r.height() * 0.55);
    flap.lineTo(r.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    p.setBrush(c.dark);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.right() - r.width() * 0.25, r.top() + 2, r.width() * 0.18, r.height() * 0.25));
}

// A turtle walking right, 60 x 40 units scaled into `r`.
void drawTurtle(QPainter& p, const QRectF& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 60.0, r.height() / 40.0);
    const QColor skin(0x7A, 0xA8, 0x4A), shell(0x3F, 0x7A, 0x3A), rim(0x2A, 0x52, 0x27);
    p.setPen(QPen(rim, 1.2));
    p.setBrush(skin);
    p.drawEllipse(QRectF(46, 16, 12, 10));            // head
    p.drawEllipse(QRectF(10, 28, 9, 8));              // legs
    p.drawEllipse(QRectF(36, 28, 9, 8));
    p.drawEllipse(QRectF(3, 22, 8, 5));               // tail
    QRadialGradient g(QPointF(26, 14), 24);
    g.setColorAt(0, shell.lighter(140));
    g.setColorAt(1, shell);
    p.setBrush(g);
    p.drawChord(QRectF(6, 4, 42, 44), 0, 180 * 16);   // shell
    p.setPen(QPen(rim, 1));
    p.drawLine(QPointF(6, 26), QPointF(48, 26));
    p.drawPolygon(QPolygonF({QPointF(20, 12), QPointF(34, 12), QPointF(38, 20), QPointF(16, 20)}));
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(53, 19, 2, 2));              // eye
    p.restore();
}

// An envelope turned by `angle` degrees about the centre of `r`.
void drawLetter(QPainter& p, const QRectF& r, qreal angle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.center());
    p.rotate(angle);
    drawMiniEnvelope(p, QRectF(-r.width() / 2, -r.height() / 2, r.width(), r.height()),
                     coloursFor(FormKind::Envelope));
    p.restore();
}

} // namespace

namespace Pictures {

QPixmap turtle(QSize size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    drawTurtle(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QPixmap launcherBackground(QSize size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0xFF, 0xFB, 0xE8));
    sky.setColorAt(1, QColor(0xFF, 0xE7, 0x9A));
    p.fillRect(pixmap.rect(), sky);

    // Header band with the program's name.
    QLinearGradient band(0, 0, size.width(), 0);
    band.setColorAt(0, QColor(0x2F, 0x6B, 0x34));
    band.setColorAt(1, QColor(0x6E, 0xA8, 0x4B));
    p.fillRect(QRect(0, 0, size.width(), 62), band);
    p.fillRect(QRect(0, 62, size.width(), 3), QColor(0xD8, 0x9C, 0x01));
    p.drawPixmap(12, 9, turtle(QSize(66, 44)));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(30);
    p.setFont(title);
    p.setPen(QColor(0x1B, 0x3D, 0x1E));
    p.drawText(QPoint(89, 39), QStringLiteral("Zelvana"));
    p.setPen(QColor(0xFF, 0xF6, 0xD0));
    p.drawText(QPoint(88, 38), QStringLiteral("Zelvana"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(11);
    p.setFont(sub);
    p.setPen(QColor(0xEA, 0xF4, 0xDA));
    p.drawText(QPoint(90, 54), QStringLiteral("poštové poukážky a obálky"));

    // Left column behind the picture buttons.
    p.fillRect(QRect(0, 65, 142, size.height() - 65), QColor(0xF4, 0xE3, 0xA6));
    p.setPen(QColor(0xE0, 0xC5, 0x6A));
    p.drawLine(142, 65, 142, size.height());

    // Card behind the tip.
    p.setPen(QPen(QColor(0xE3, 0xC0, 0x4E), 1));
    p.setBrush(QColor(0xFF, 0xF1, 0xB7));
    p.drawRoundedRect(QRectF(168.5, 112.5, 224, 162), 8, 8);
    return pixmap;
}

QPixmap launcherButton(FormKind kind, QSize size)
{
    const SlipColours c = coloursFor(kind);
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(3.5, 2.5, size.width() - 7, size.height() - 5);
    QLinearGradient face(0, r.top(), 0, r.bottom());
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, c.light);
    p.setPen(QPen(c.dark, 1.2));
    p.setBrush(face);
    p.drawRoundedRect(r, 7, 7);

    const QRectF icon(r.left() + 6, r.center().y() - 11, 28, 22);
    if (kind == FormKind::Envelope)
        drawMiniEnvelope(p, icon, c);
    else
        drawMiniSlip(p, icon, c);

    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setBold(true);
    bold.setPixelSize(12);
    p.setFont(bold);
    p.setPen(c.text);
    p.drawText(QRectF(icon.right() + 6, r.top() + 5, r.right() - icon.right() - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
               c.title);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    p.setFont(small);
    p.setPen(c.dark);
    p.drawText(QRectF(icon.right() + 6, r.top() + 22, r.right() - icon.right() - 8, 14),
               Qt::AlignLeft | Qt::AlignVCenter, c.subtitle);
    return pixmap;
}

static QPixmap roundButton(QSize size, QColor base, bool cross)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base);
    p.setPen(QPen(base.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal m = size.width() * 0.3;
    if (cross) {
        p.drawLine(QPointF(m, m), QPointF(size.width() - m, size.height() - m));
        p.drawLine(QPointF(size.width() - m, m), QPointF(m, size.height() - m));
    } else {
        p.drawLine(QPointF(m, size.height() - m), QPointF(size.width() - m, size.height() - m));
    }
    return pixmap;
}

QPixmap minimiseButton(QSize size) { return roundButton(size, QColor(0x4E, 0x8C, 0x45), false); }
QPixmap closeButton(QSize size) { return roundButton(size, QColor(0xC0, 0x39, 0x2B), true); }

QPixmap menuIcon(FormKind kind)
{
    QPixmap pixmap = blank(QSize(16, 16));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const SlipColours c = coloursFor(kind);
    if (kind == FormKind::Envelope)
        drawMiniEnvelope(p, QRectF(0.5, 3.5, 15, 10), c);
    else
        drawMiniSlip(p, QRectF(0.5, 1.5, 15, 13), c);
    return pixmap;
}

QPixmap templateIcon()
{
    QPixmap pixmap = menuIcon(FormKind::Envelope);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2F, 0x6B, 0x34), 2));
    p.drawLine(QPointF(11, 10), QPointF(11, 16));
    p.drawLine(QPointF(8, 13), QPointF(14, 13));
    return pixmap;
}

QPixmap helpIcon()
{
    QPixmap pixmap = blank(QSize(16, 16));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1C, 0x4E, 0x9A), 1));
    p.setBrush(QColor(0x3C, 0x78, 0xD0));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

QPixmap linksIcon()
{
    // A globe: the links lead to web pages.
    QPixmap pixmap = blank(QSize(16, 16));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor sea(0x3C, 0x78, 0xD0), rim(0x1C, 0x4E, 0x9A);
    p.setPen(QPen(rim, 1));
    p.setBrush(sea);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(0xDF, 0xEC, 0xFF), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
    p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
    return pixmap;
}

QImage aboutPicture()
{
    QImage image(80, 175, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 175);
    sky.setColorAt(0, QColor(0x9F, 0xD3, 0xF2));
    sky.setColorAt(0.7, QColor(0xFF, 0xF6, 0xD0));
    sky.setColorAt(1, QColor(0xFF, 0xE7, 0x9A));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(58, 24), 16);
    sun.setColorAt(0, QColor(0xFF, 0xF3, 0x8A));
    sun.setColorAt(1, QColor(0xFF, 0xC8, 0x2B));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(58, 24), 13, 13);
    // Letters on their way down to the turtle.
    drawLetter(p, QRectF(10, 44, 30, 20), -12);
    drawLetter(p, QRectF(38, 78, 26, 17), 9);
    drawLetter(p, QRectF(14, 106, 22, 15), -6);
    // Grass, and the turtle carrying a slip on its shell.
    QLinearGradient grass(0, 146, 0, 175);
    grass.setColorAt(0, QColor(0x6E, 0xA8, 0x4B));
    grass.setColorAt(1, QColor(0x2F, 0x6B, 0x34));
    p.setBrush(grass);
    p.drawRect(QRectF(0, 150, 80, 25));
    p.setPen(QPen(QColor(0x1E, 0x4D, 0x22), 1));
    p.setBrush(QColor(0xE6, 0xF5, 0xD8));
    p.drawRect(QRectF(24, 121, 22, 12));
    p.setPen(QPen(QColor(0x3C, 0x8D, 0x3F), 1));
    for (qreal y = 125; y < 132; y += 3)
        p.drawLine(QPointF(27, y), QPointF(43, y));
    drawTurtle(p, QRectF(6, 124, 66, 44));
    p.end();
    return image;
}

QImage programIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    QLinearGradient face(0, 0, 0, 64);
    face.setColorAt(0, QColor(0xFF, 0xFB, 0xE8));
    face.setColorAt(1, QColor(0xFF, 0xE7, 0x9A));
    p.setPen(QPen(QColor(0xD8, 0x9C, 0x01), 1.5));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 11, 11);
    drawLetter(p, QRectF(30, 8, 26, 17), 10);
    drawTurtle(p, QRectF(4, 22, 56, 37));
    p.end();
    return image;
}

} // namespace Pictures
