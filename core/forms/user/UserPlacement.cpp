#include "core/forms/user/UserPlacement.h"

QSizeF PaperSizeMm(const QString& paper)
{
    if (paper == QLatin1String("A5"))
        return {148.0, 210.0};
    if (paper == QLatin1String("Letter"))
        return {215.9, 279.4};
    return {210.0, 297.0};
}

QTransform FormToPaper(const UserLayout& l)
{
    const double w = l.widthMm, h = l.heightMm, ox = l.offsetXMm, oy = l.offsetYMm;
    // x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy; y points down, so a
    // clockwise turn by 90 takes the form's x axis down the paper.
    switch (l.rotation) {
    case 90:
        return QTransform(0, 1, -1, 0, h + ox, oy);
    case 180:
        return QTransform(-1, 0, 0, -1, w + ox, h + oy);
    case 270:
        return QTransform(0, -1, 1, 0, ox, w + oy);
    default:
        return QTransform(1, 0, 0, 1, ox, oy);
    }
}

int TextAngle(const UserLayout& layout) { return (360 - layout.rotation) % 360; }

FormShift ShiftAsSlips(const UserLayout& layout, const FormShift& asRead)
{
    // The shift on the paper, turned with the form; a slip's right is the
    // paper's down and its down the paper's left.
    const QPointF onPaper = FormToPaper(layout).map(QPointF(asRead.rightMm, asRead.downMm)) - FormToPaper(layout).map(QPointF());
    return {onPaper.y(), -onPaper.x()};
}
