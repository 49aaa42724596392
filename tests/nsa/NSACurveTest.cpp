#include "nsa/EdMax.h"
#include "nsa/NSACurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace nsa;

namespace {

TNSAData Curve(double trans, double sep, double lower, double upper, double step, double start,
               double stop, int points, bool vertical)
{
    TNSAData d;
    d.TransHeight = trans;
    d.SepDist = sep;
    d.LowerLimit = lower;
    d.UpperLimit = upper;
    d.ScanStep = step;
    d.StartFreq = start;
    d.StopFreq = stop;
    d.NumPoints = points;
    d.Vertical = vertical;
    return d;
}

TNSAData DefaultCurve(bool vertical = false)
{
    return Curve(1, 10, 1, 4, 0, 30, 1000, 971, vertical);
}

double Round2(double v) { return std::round(v * 100) / 100; }

// Every point of a computed curve must be exactly what the plain scan gives.
void ExpectSameAsPlainScan(const TNSAData& d)
{
    ASSERT_EQ(d.Freq.size(), std::size_t(d.NumPoints));
    for (int i = 0; i < d.NumPoints; ++i) {
        double h = 0;
        const double e =
            d.Vertical
                ? EdMaxVertical(d.Freq[i], d.UpperLimit, d.LowerLimit, d.TransHeight, d.SepDist,
                                d.ScanStep, h)
                : EdMaxHorizontal(d.Freq[i], d.UpperLimit, d.LowerLimit, d.TransHeight,
                                  d.SepDist, d.ScanStep, h);
        ASSERT_EQ(d.EdMax[i], e) << "point " << i << " at " << d.Freq[i] << " MHz";
        ASSERT_EQ(d.Height[i], h) << "point " << i << " at " << d.Freq[i] << " MHz";
        ASSERT_EQ(d.NSA[i], (48.92 - 20 * std::log10(d.Freq[i])) - e);
    }
}

} // namespace

TEST(NSACurve, ReferenceNSAValues)
{
    TNSAData h3 = Curve(1, 3, 1, 4, 0, 30, 1000, 971, false);
    TNSAData h10 = DefaultCurve(false);
    TNSAData v10 = DefaultCurve(true);
    for (TNSAData* d : {&h3, &h10, &v10})
        ASSERT_EQ(CalculateNSACurve(*d), CurveStatus::Done);
    EXPECT_EQ(Round2(h3.NSA[0]), 15.83);
    EXPECT_EQ(Round2(h10.NSA[0]), 29.76);
    EXPECT_EQ(Round2(v10.NSA[0]), 16.71);
}

TEST(NSACurve, FrequencyGridIsLinearAndIncludesBothEnds)
{
    TNSAData d = DefaultCurve();
    ASSERT_EQ(CalculateNSACurve(d), CurveStatus::Done);
    ASSERT_EQ(d.Freq.size(), 971u);
    for (int i = 0; i < 971; ++i)
        EXPECT_NEAR(d.Freq[i], 30 + i, 1e-9);
    EXPECT_EQ(d.Freq.front(), 30);

    TNSAData two = Curve(1, 3, 1, 4, 0, 200, 300, 2, true);
    ASSERT_EQ(CalculateNSACurve(two), CurveStatus::Done);
    EXPECT_EQ(two.Freq, (std::vector<double>{200, 300}));
    EXPECT_EQ(two.EdMax.size(), 2u);
    EXPECT_EQ(two.NSA.size(), 2u);
    EXPECT_EQ(two.Height.size(), 2u);
}

TEST(NSACurve, FastComputationMatchesThePlainScanExactly)
{
    // Across step bands, both polarizations, user and default steps, short and
    // long sweeps: EdMax and the height must be bit for bit the plain scan's.
    ExpectSameAsPlainScan([] { auto d = DefaultCurve(); CalculateNSACurve(d); return d; }());
    // The longest sweep: groups of points turned far from their seed, on threads.
    ExpectSameAsPlainScan([] {
        auto d = Curve(1.5, 3, 1, 4, 0, 10001, 40000, 2001, true);
        CalculateNSACurve(d);
        return d;
    }());
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int run = 0; run < 24; ++run) {
        const double lower = 0.2 + 2 * unit(random);
        const double upper = lower + 0.1 + 3 * unit(random);
        const double step = run % 3 == 0 ? 0 : (upper - lower) * (0.001 + 0.05 * unit(random));
        const double start = 1 + 12000 * unit(random);
        const double stop = std::min(40000.0, start + 1 + 20000 * unit(random));
        TNSAData d = Curve(0.5 + 3 * unit(random), 0.5 + 30 * unit(random), lower, upper, step,
                           start, stop, 2 + int(300 * unit(random)), run % 2 == 1);
        SCOPED_TRACE(run);
        ASSERT_EQ(CalculateNSACurve(d), CurveStatus::Done);
        ExpectSameAsPlainScan(d);
    }
}

TEST(NSACurve, ProgressCountsEveryPointAndCancelStopsTheWork)
{
    TNSAData d = Curve(1, 10, 1, 4, 0, 10001, 40000, 300, false);
    CurveProgress progress;
    ASSERT_EQ(CalculateNSACurve(d, &progress), CurveStatus::Done);
    EXPECT_EQ(progress.pointsDone.load(), 300);

    TNSAData cancelled = Curve(1, 10, 1, 4, 0, 10001, 40000, 2001, false);
    CurveProgress stop;
    stop.cancel = true;
    EXPECT_EQ(CalculateNSACurve(cancelled, &stop), CurveStatus::Cancelled);
    EXPECT_LT(stop.pointsDone.load(), 2001);
}

TEST(NSACurve, UncheckedParametersAreRefusedWithoutTouchingTheRecord)
{
    TNSAData onePoint = Curve(1, 10, 1, 4, 0, 30, 1000, 1, false);
    EXPECT_EQ(CalculateNSACurve(onePoint), CurveStatus::Refused);
    EXPECT_TRUE(onePoint.Freq.empty());

    TNSAData stalled = Curve(1, 10, 1, 4, 1e-17, 30, 1000, 10, false);
    EXPECT_EQ(CheckCurve(stalled), ScanProblem::StepDoesNotAdvance);
    EXPECT_EQ(CalculateNSACurve(stalled), CurveStatus::Refused);

    TNSAData farAway = Curve(1, 10, 1e15, 2e15, 0, 30, 1000, 10, false);
    EXPECT_EQ(CalculateNSACurve(farAway), CurveStatus::Refused);

    TNSAData badFreq = Curve(1, 10, 1, 4, 0, 0, 1000, 10, false);
    EXPECT_EQ(CalculateNSACurve(badFreq), CurveStatus::Refused);
}

TEST(NSACurve, WorkEstimateFollowsTheStepBands)
{
    EXPECT_EQ(CurveFieldEvaluations(DefaultCurve()), 971 * 301);
    // 1000 MHz uses 0.01 m (301 heights), 1500 MHz 0.005 m (601 heights).
    EXPECT_EQ(CurveFieldEvaluations(Curve(1, 10, 1, 4, 0, 1000, 1500, 2, false)), 301 + 601);
}

TEST(StandardAnsiCurve, ReplacesOnlyTheScan)
{
    TNSAData user = Curve(2, 3, 0.5, 6, 0.25, 100, 200, 11, true);
    user.Freq = {1, 2};
    const TNSAData ansi = StandardAnsiCurve(user);
    EXPECT_TRUE(ansi.AnsiDefault);
    EXPECT_EQ(ansi.LowerLimit, 1.0);
    EXPECT_EQ(ansi.UpperLimit, 4.0);
    EXPECT_EQ(ansi.ScanStep, 0.0);
    EXPECT_EQ(ansi.TransHeight, 2);
    EXPECT_EQ(ansi.SepDist, 3);
    EXPECT_EQ(ansi.StartFreq, 100);
    EXPECT_EQ(ansi.StopFreq, 200);
    EXPECT_EQ(ansi.NumPoints, 11);
    EXPECT_TRUE(ansi.Vertical);
    EXPECT_TRUE(ansi.Freq.empty());
}

TEST(StandardAnsiCurve, EqualsAUserCurveWithTheAnsiScan)
{
    TNSAData user = DefaultCurve();
    TNSAData ansi = StandardAnsiCurve(user);
    ASSERT_EQ(CalculateNSACurve(user), CurveStatus::Done);
    ASSERT_EQ(CalculateNSACurve(ansi), CurveStatus::Done);
    EXPECT_EQ(user.NSA, ansi.NSA);
    EXPECT_EQ(user.EdMax, ansi.EdMax);
    EXPECT_EQ(user.Height, ansi.Height);
}

TEST(LastCalculation, IsTheLastRecordOrTheLastPair)
{
    std::vector<TNSAData> list;
    EXPECT_FALSE(FindLastCalculation(list));

    TNSAData user = DefaultCurve();
    list.push_back(user);
    list.push_back(StandardAnsiCurve(user));
    LastCalculation pair = FindLastCalculation(list);
    EXPECT_EQ(pair.user, &list[0]);
    EXPECT_EQ(pair.ansi, &list[1]);

    list.push_back(user); // a later Add without the standard curve
    LastCalculation single = FindLastCalculation(list);
    EXPECT_EQ(single.user, &list[2]);
    EXPECT_EQ(single.ansi, nullptr);
}

TEST(NSACurve, FrequenciesComeFromTheirIndexNotARunningSum)
{
    // A spacing of 0.485 MHz is not a binary fraction: adding it 2000 times
    // drifts away from i * spacing + start.
    TNSAData d = Curve(1, 3, 1, 4, 0, 30, 1000, 2001, false);
    ASSERT_EQ(CalculateNSACurve(d), CurveStatus::Done);
    const double spacing = (1000.0 - 30.0) / 2000;
    int drifted = 0;
    double sum = 30;
    for (int i = 0; i < 2001; ++i, sum += spacing) {
        EXPECT_EQ(d.Freq[i], i * spacing + 30) << i;
        drifted += sum != i * spacing + 30;
    }
    ASSERT_GT(drifted, 0) << "the spacing must make a running sum drift";
}
