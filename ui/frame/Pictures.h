#pragma once
// The program's pictures, drawn here so that nothing binary has to ship.
#include <QImage>
#include <QPixmap>

#include "ui/frame/DocumentKind.h"

namespace Pictures {
QPixmap launcherBackground(QSize size);
QPixmap launcherButton(FormKind kind, QSize size);
QPixmap minimiseButton(QSize size);
QPixmap closeButton(QSize size);
QPixmap menuIcon(FormKind kind);
QPixmap templateIcon();
QPixmap helpIcon();
QPixmap turtle(QSize size);
// The links button of the about box.
QPixmap linksIcon();
// Drawn into images, so that the build can write them to files without a display.
QImage aboutPicture();         // 80 x 175, the about box's picture
QImage programIcon(int side);  // the desktop icon
}
