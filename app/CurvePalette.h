#pragma once

#include <QColor>

// Colours of the curves, one per Add, told apart on a white plot area with
// normal colour vision and with protanopia, deuteranopia or tritanopia. After
// the twelfth Add the colours repeat.
constexpr int kCurvePaletteSize = 12;

QColor CurveColour(int addIndex);
