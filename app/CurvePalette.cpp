#include "app/CurvePalette.h"

namespace
{

// Picked greedily from the colour-blind-safe sets of Okabe & Ito and of Tol,
// each next colour the farthest (CIELAB distance, worst of normal vision and
// the three simulated dichromacies) from those before it; none lighter than
// L* 72, so every line reads on white.
constexpr QRgb kColours[kCurvePaletteSize] = {
    0x0072B2, 0xD55E00, 0x009E73, 0x000000, 0x663333, 0x332288,
    0x666633, 0xAA3377, 0xE69F00, 0x33BBEE, 0xCC79A7, 0x999933,
};

} // namespace

QColor CurveColour(int addIndex)
{
    const int i = ((addIndex % kCurvePaletteSize) + kCurvePaletteSize) % kCurvePaletteSize;
    return QColor::fromRgb(kColours[i]);
}
