#include "nsa/EdMax.h"
#include "nsa/ScanCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace nsa;

namespace {

double Round2(double v) { return std::round(v * 100) / 100; }

// The heights a scan visits, by the scan's own running sum.
std::vector<double> VisitedHeights(double lower, double upper, double step)
{
    std::vector<double> heights;
    for (double h = lower; upper + kScanAllowance >= h; h = h + step)
        heights.push_back(h);
    return heights;
}

} // namespace

TEST(DefaultScanStep, ThresholdsAreStrictlyGreater)
{
    EXPECT_EQ(DefaultScanStep(30), 0.01);
    EXPECT_EQ(DefaultScanStep(1000), 0.01);
    EXPECT_EQ(DefaultScanStep(1000.001), 0.005);
    EXPECT_EQ(DefaultScanStep(4000), 0.005);
    EXPECT_EQ(DefaultScanStep(4000.5), 0.002);
    EXPECT_EQ(DefaultScanStep(10000), 0.002);
    EXPECT_EQ(DefaultScanStep(10000.01), 0.0005);
}

TEST(EdMax, ReferenceValuesWithDefaultStep)
{
    double h = -1;
    EXPECT_EQ(Round2(EdMaxHorizontal(30, 4, 1, 1, 3, 0, h)), 3.55);
    EXPECT_NEAR(h, 2.91, 1e-9);
    EXPECT_EQ(Round2(EdMaxHorizontal(30, 4, 1, 1, 10, 0, h)), -10.38);
    EXPECT_NEAR(h, 4.0, 1e-9);
    EXPECT_EQ(Round2(EdMaxVertical(30, 4, 1, 1, 10, 0, h)), 2.67);
    EXPECT_EQ(h, 1.0);
    EXPECT_EQ(Round2(EdMaxHorizontal(1000, 4, 1, 1, 3, 0, h)), 12.45);
    EXPECT_NEAR(h, 1.27, 1e-9);
    EdMaxHorizontal(1000.001, 4, 1, 1, 3, 0, h);
    EXPECT_NEAR(h, 1.265, 1e-9);
    EXPECT_EQ(Round2(EdMaxHorizontal(5000, 4, 1, 1, 3, 0, h)), 12.61);
    EXPECT_NEAR(h, 1.044, 1e-9);
}

TEST(EdMax, HeightsAreARunningSumThatMayMissTheUpperLimit)
{
    // Step 0.7 from 1 m to 4 m: 1, 1.7, 2.4, 3.1, 3.8; 4.0 is never visited.
    // At 30 MHz and 10 m the field rises with height, so the last visited wins.
    const std::vector<double> visited = VisitedHeights(1, 4, 0.7);
    ASSERT_EQ(visited.size(), 5u);
    double h = 0;
    EdMaxHorizontal(30, 4, 1, 1, 10, 0.7, h);
    EXPECT_EQ(h, visited.back());
    EXPECT_NEAR(h, 3.8, 1e-12);

    // Step 0.01: 301 heights, the last one the upper limit within rounding.
    EXPECT_EQ(VisitedHeights(1, 4, 0.01).size(), 301u);
    EXPECT_EQ(ScanHeightCount(4, 1, 0.01), 301);
    EdMaxHorizontal(30, 4, 1, 1, 10, 0.01, h);
    EXPECT_NEAR(h, 4.0, 1e-9);
}

TEST(EdMax, StepEqualToTheSpanVisitsBothLimits)
{
    EXPECT_EQ(ScanHeightCount(4, 1, 3), 2);
    double h = 0;
    // Vertical at 30 MHz / 10 m peaks at the bottom, horizontal at the top.
    EdMaxVertical(30, 4, 1, 1, 10, 3, h);
    EXPECT_EQ(h, 1.0);
    EdMaxHorizontal(30, 4, 1, 1, 10, 3, h);
    EXPECT_EQ(h, 4.0);
}

TEST(EdMax, RefusedScansReturnNaNAndLeaveTheHeightAlone)
{
    struct Case {
        const char* what;
        double freq, upper, lower, trans, sep, step;
        ScanProblem problem;
    };
    const double inf = INFINITY;
    const Case cases[] = {
        {"step too small to move 1 m", 30, 4, 1, 1, 10, 1e-17, ScanProblem::StepDoesNotAdvance},
        {"step lost at a far upper limit", 30, 1e17, 1, 1, 10, 1, ScanProblem::StepDoesNotAdvance},
        {"lower above upper", 30, 1, 4, 1, 10, 0.1, ScanProblem::LimitsReversed},
        {"infinite upper limit", 30, inf, 1, 1, 10, 0.1, ScanProblem::NotFinite},
        {"NaN frequency", NAN, 4, 1, 1, 10, 0, ScanProblem::NotFinite},
        {"zero separation", 30, 4, 1, 1, 0, 0, ScanProblem::NotPositive},
        {"negative step", 30, 4, 1, 1, 10, -0.1, ScanProblem::NegativeStep},
        {"ten million heights", 30, 11, 1, 1, 10, 1e-6, ScanProblem::TooManyHeights},
        {"a separation that overflows", 30, 4, 1, 1, 1e200, 0, ScanProblem::OutOfRange},
        {"a separation that underflows", 30, 4, 1, 1, 1e-200, 0, ScanProblem::OutOfRange},
        {"a mast beyond reason", 30, 1e31, 1e31 - 1e16, 1, 10, 1e16, ScanProblem::OutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckScan(c.freq, c.upper, c.lower, c.trans, c.sep, c.step), c.problem);
        double h = 123;
        EXPECT_TRUE(std::isnan(EdMaxHorizontal(c.freq, c.upper, c.lower, c.trans, c.sep, c.step, h)));
        EXPECT_TRUE(std::isnan(EdMaxVertical(c.freq, c.upper, c.lower, c.trans, c.sep, c.step, h)));
        EXPECT_EQ(h, 123);
    }
    // Lower limit just above the upper one, inside the allowance, still scans.
    EXPECT_EQ(CheckScan(30, 4, 4 + 5e-8, 1, 10, 0.1), ScanProblem::None);
}

TEST(EdMax, ExtremeButAcceptedGeometriesGiveFiniteResults)
{
    // The bounds of the accepted lengths: every field stays a number.
    double h = 0;
    EXPECT_TRUE(std::isfinite(EdMaxVertical(30, 4, 1, 1, kMinSepDist, 0, h)));
    EXPECT_TRUE(std::isfinite(EdMaxVertical(30, 4, 1e-300, 1e-300, kMinSepDist, 1, h)));
    EXPECT_TRUE(std::isfinite(EdMaxVertical(30, kMaxLength, kMaxLength / 2, kMaxLength, kMaxLength,
                                            kMaxLength / 4, h)));
    EXPECT_TRUE(std::isfinite(EdMaxHorizontal(30, kMaxLength, kMaxLength / 2, kMaxLength,
                                              kMaxLength, kMaxLength / 4, h)));
}

TEST(EdMax, ATieGoesToTheLowestHeight)
{
    // At 1e29 m the heights vanish in the path lengths: every height gives
    // the very same field, so the first height scanned must stay the maximum.
    for (double freq : {30.0, 1000.0}) {
        double h = 0;
        EdMaxVertical(freq, 4, 1.5, 1, 1e29, 0.5, h);
        EXPECT_EQ(h, 1.5) << freq;
        h = 0;
        EdMaxHorizontal(freq, 4, 1.5, 1, 1e29, 0.5, h);
        EXPECT_EQ(h, 1.5) << freq;
    }
}

TEST(EdMax, FieldConstantsToManyDigits)
{
    // The two-ray field at one height, written out here in long double from
    // the constants themselves: 49.2, 7.0142712 (not the square root of 49.2,
    // 7.01427117), and the wave number 2 pi f / 299.792458.
    const long double pi = 3.141592653589793238462643383279503L;
    auto field = [&](bool vertical, long double f, long double h, long double t, long double d) {
        const long double k = 2 * pi * f / 299.792458L;
        const long double r1 = std::sqrt((h - t) * (h - t) + d * d);
        const long double r2 = std::sqrt((h + t) * (h + t) + d * d);
        if (!vertical)
            return std::sqrt(49.2L *
                             (r2 * r2 + r1 * r1 + 2 * r1 * r2 * std::cos(pi - k * (r2 - r1)))) /
                   (r1 * r2);
        const long double a = r1 * r1 * r1, b = r2 * r2 * r2;
        return d * d * 7.0142712L * std::sqrt(b * b + a * a + 2 * a * b * std::cos(k * (r2 - r1))) /
               (a * b);
    };
    struct Point {
        bool vertical;
        double freq, height, trans, sep;
    };
    for (const Point& p : {Point{false, 1000, 2, 1, 3}, Point{true, 1000, 2, 1, 3},
                           Point{false, 30, 4, 1, 10}, Point{true, 17321.5, 1.37, 2, 3}}) {
        double h = 0;
        // Lower and upper limit equal: one height is scanned.
        const double e = p.vertical
                             ? EdMaxVertical(p.freq, p.height, p.height, p.trans, p.sep, 1, h)
                             : EdMaxHorizontal(p.freq, p.height, p.height, p.trans, p.sep, 1, h);
        const double expected =
            double(20 * std::log10(field(p.vertical, p.freq, p.height, p.trans, p.sep)));
        // sqrt(49.2) for 7.0142712 would be 4e-8 dB off.
        EXPECT_NEAR(e, expected, 1e-10) << p.vertical << " at " << p.freq << " MHz";
    }
}
