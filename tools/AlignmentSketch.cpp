#include "tools/AlignmentSketch.h"

#include <QFont>
#include <cmath>
#include <QPainter>
#include <QPainterPath>

namespace {

void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - d * 7 + n * 4);
    head.lineTo(to - d * 7 - n * 4);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

} // namespace

QImage AlignmentSketch()
{
    QImage image(460, 250, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xFD, 0xF5));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    p.setFont(font);
    const QColor green(0x3C, 0x8D, 0x3F), blue(0x1C, 0x2A, 0x66), red(0xC7, 0x2E, 0x60);

    // The pre-printed form, its fields in green.
    const QRectF form(40, 60, 240, 140);
    p.setPen(QPen(green, 1.5));
    p.setBrush(QColor(0xE6, 0xF5, 0xD8));
    p.drawRect(form);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(form.left() + 14, form.top() + 14 + i * 30, 150, 20));
    p.drawText(QPointF(form.left(), form.top() - 8), QStringLiteral("tlačivo poukážky"));

    // The test print on plain paper laid on the form against the light: its
    // texts sit below and right of the fields instead of in them.
    const QPointF shift(24, 16);
    const QRectF sheet = form.translated(shift);
    p.setPen(QPen(blue, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet);
    p.setPen(blue);
    for (int i = 0; i < 4; ++i)
        p.drawText(QPointF(form.left() + 20, form.top() + 29 + i * 30) + shift, QStringLiteral("Ján Košický"));
    p.drawText(QPointF(sheet.left(), sheet.bottom() + 18), QStringLiteral("skúšobná tlač na obyčajnom papieri"));

    // The two offsets, measured between the right and the top edges.
    p.setPen(QPen(red, 1));
    p.drawLine(QPointF(form.right(), form.top() - 2), QPointF(form.right(), 36));
    p.drawLine(QPointF(sheet.right(), sheet.top() - 2), QPointF(sheet.right(), 36));
    p.drawLine(QPointF(form.right() + 2, form.top()), QPointF(form.right() + 74, form.top()));
    p.drawLine(QPointF(sheet.right() + 2, sheet.top()), QPointF(form.right() + 74, sheet.top()));
    p.setPen(QPen(red, 1.6));
    arrow(p, QPointF(form.right(), 42), QPointF(sheet.right(), 42));
    arrow(p, QPointF(form.right() + 64, form.top()), QPointF(form.right() + 64, sheet.top()));
    p.drawText(QPointF(sheet.right() + 8, 46), QStringLiteral("posun doprava"));
    p.drawText(QPointF(form.right() + 80, form.top() + 12), QStringLiteral("posun nadol"));
    p.end();
    return image;
}
