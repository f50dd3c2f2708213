#pragma once
// The envelope window's and the template wizard's pictures, drawn here so
// that nothing binary has to ship.
#include <QLineF>
#include <QList>
#include <QPixmap>

namespace Pictures {
// What the wizard's picture shows: the envelope as it lies on the printer
// page (width across it, height along the feed, as the templates count), the
// two measuring arrows, and the printed lines turned as they print.
struct WizardSketch {
    QRectF envelope;
    QLineF widthArrow, heightArrow;
    QList<QLineF> sender, recipient; // each from its first letter to its last
};
WizardSketch wizardSideSketch(QSize size);
// The wizard's tall picture along its left edge: an envelope being measured.
QPixmap wizardSide(QSize size);
// The envelope window's corner decoration: a stamp with a postmark.
QPixmap envelopeStamp(QSize size);
}
