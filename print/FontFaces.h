#pragma once
// The faces the forms and windows name (Windows ones) mapped to the closest
// fonts a Linux desktop has. Both programs set them up right after their
// application object and before anything is measured: a memo breaks its
// lines by its font's widths, so the window and the batch must resolve the
// same font, whatever platform each runs on.

// Metric-compatible fonts where they exist (Liberation), the nearest weight
// and width otherwise.
void SubstituteWindowsFaces();
