#pragma once
// The program's pictures, drawn here so that nothing binary has to ship.
#include <QPixmap>

#include "app/DocumentKind.h"

namespace Pictures {
QPixmap launcherBackground(QSize size);
QPixmap launcherButton(DocumentKind kind, QSize size);
QPixmap minimiseButton(QSize size);
QPixmap closeButton(QSize size);
QPixmap menuIcon(DocumentKind kind);
QPixmap templateIcon();
QPixmap helpIcon();
QPixmap turtle(QSize size);
}
