#pragma once
// The envelope window's and the template wizard's pictures, drawn here so
// that nothing binary has to ship.
#include <QPixmap>

namespace Pictures {
// The wizard's tall picture along its left edge: an envelope being measured.
QPixmap wizardSide(QSize size);
// The envelope window's corner decoration: a stamp with a postmark.
QPixmap envelopeStamp(QSize size);
}
