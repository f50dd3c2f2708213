#pragma once
// Keeps the windows the program places itself on the screen: shrunk to the
// screen's available area when larger, then moved inside it.
#include <QRect>

class QWidget;

// Where a window frame goes within `available`: first shrunk to fit (never
// below `minimum`), then moved by as little as brings it inside.
QRect FitFrame(const QRect& frame, const QRect& available, const QSize& minimum = {});

// Fits `window`, frame included, within `available`. A window that has no
// position of its own yet is centred there.
void FitWithin(QWidget* window, const QRect& available);

// The same on the available area of the screen the window is on.
void FitOnScreen(QWidget* window);
