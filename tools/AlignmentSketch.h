#pragma once
// The help's sketch of lining up the printer: a test print on plain paper
// held against the form shows by how much the print is off.
#include <QImage>

QImage AlignmentSketch();
