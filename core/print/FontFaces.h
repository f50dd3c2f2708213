#pragma once
// The faces the forms and windows name (Windows ones) mapped to the closest
// fonts a Linux desktop has. Both programs set them up right after their
// application object and before anything is measured: a memo breaks its
// lines by its font's widths, so the window and the batch must resolve the
// same font, whatever platform each runs on.

#include <QFont>

// Metric-compatible fonts where they exist (Liberation), the nearest weight
// and width otherwise.
void SubstituteWindowsFaces();

// `font` with the widths it has on every platform and desktop. Left to the
// desktop, full hinting (asked for in the user's fonts setup) rounds every
// advance, while a scaled screen turns hinting off: a line that fits in one
// process would break in the other.
QFont MeasuredAlike(QFont font);
