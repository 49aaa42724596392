#pragma once

#include <cmath>

// The field of the two-ray model at one receive height, exactly as the height
// scan evaluates it. Shared by the plain scan and the fast curve so that both
// produce bit-identical fields for the same height and wave number.
namespace nsa::detail {

constexpr double kHorizontalFieldFactor = 49.2;
constexpr double kVerticalFieldFactor = 7.0142712; // written out, not sqrt(49.2)
constexpr double kTwoPi = 2.0 * 3.14159265358979323846;
constexpr double kInverseLightSpeed = 0.0033356409519815205; // 1 / 299.792458
constexpr double kPi = 3.14159265358979323846;

inline double WaveNumber(double freqMHz) { return kTwoPi * freqMHz * kInverseLightSpeed; }

struct RayPaths {
    double direct;    // R1
    double reflected; // R2, through the ground image
};

inline RayPaths Paths(double height, double transHeight, double sepDistSquared)
{
    const double below = height - transHeight;
    const double above = height + transHeight;
    return {std::sqrt(below * below + sepDistSquared), std::sqrt(above * above + sepDistSquared)};
}

inline double HorizontalField(RayPaths p, double k)
{
    const double r1 = p.direct, r2 = p.reflected;
    return std::sqrt(kHorizontalFieldFactor *
                     (r2 * r2 + r1 * r1 + 2 * r1 * r2 * std::cos(kPi - k * (r2 - r1)))) /
           (r1 * r2);
}

// scale is d^2 * 7.0142712, computed once per scan.
inline double VerticalField(RayPaths p, double k, double scale)
{
    const double r1 = p.direct, r2 = p.reflected;
    const double a = r1 * (r1 * r1);
    const double b = r2 * (r2 * r2);
    return scale * std::sqrt(b * b + a * a + 2 * a * b * std::cos(k * (r2 - r1))) / (a * b);
}

} // namespace nsa::detail
