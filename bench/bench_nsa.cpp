// Veldmark's curve computation side by side with a plain transcription of the
// height scan, on the default curve and on the worst case of the default step.
// Before timing, the two are compared point by point.

#include "nsa/NSACurve.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The scan written out the obvious way: the reference both for speed and for
// the results. Kept here, apart from the library, on purpose.
double ReferenceEdMax(double f, double upper, double lower, double ht, double d, double step,
                      bool vertical, double& heightOfMax)
{
    if (step == 0)
        step = f > 10000 ? 0.0005 : f > 4000 ? 0.002 : f > 1000 ? 0.005 : 0.01;
    const double k = 2 * 3.14159265358979323846 * f * 0.0033356409519815205;
    const double d2 = d * d;
    const double s = d2 * 7.0142712;
    double best = -99999.0;
    for (double h = lower; upper + 1e-7 >= h; h = h + step) {
        const double r1 = std::sqrt((h - ht) * (h - ht) + d2);
        const double r2 = std::sqrt((h + ht) * (h + ht) + d2);
        double e;
        if (vertical) {
            const double a = r1 * (r1 * r1), b = r2 * (r2 * r2);
            e = s * std::sqrt(b * b + a * a + 2 * a * b * std::cos(k * (r2 - r1))) / (a * b);
        } else {
            e = std::sqrt(49.2 * (r2 * r2 + r1 * r1 +
                                  2 * r1 * r2 * std::cos(3.14159265358979323846 - k * (r2 - r1)))) /
                (r1 * r2);
        }
        if (e > best) {
            best = e;
            heightOfMax = h;
        }
    }
    return 20 * std::log10(best);
}

void ReferenceCurve(nsa::TNSAData& d)
{
    d.Freq.assign(d.NumPoints, 0);
    d.EdMax.assign(d.NumPoints, 0);
    d.NSA.assign(d.NumPoints, 0);
    d.Height.assign(d.NumPoints, 0);
    const double df = (d.StopFreq - d.StartFreq) / (d.NumPoints - 1);
    for (int i = 0; i < d.NumPoints; ++i) {
        d.Freq[i] = i * df + d.StartFreq;
        d.EdMax[i] = ReferenceEdMax(d.Freq[i], d.UpperLimit, d.LowerLimit, d.TransHeight,
                                    d.SepDist, d.ScanStep, d.Vertical, d.Height[i]);
        d.NSA[i] = (48.92 - 20 * std::log10(d.Freq[i])) - d.EdMax[i];
    }
}

nsa::TNSAData Case(bool worst, bool vertical)
{
    nsa::TNSAData d;
    d.TransHeight = 1;
    d.SepDist = 10;
    d.LowerLimit = 1;
    d.UpperLimit = 4;
    d.ScanStep = 0;
    d.StartFreq = worst ? 10001 : 30;
    d.StopFreq = worst ? 40000 : 1000;
    d.NumPoints = worst ? 2001 : 971;
    d.Vertical = vertical;
    return d;
}

void BM_Reference(benchmark::State& state)
{
    nsa::TNSAData d = Case(state.range(0), state.range(1));
    for (auto _ : state) {
        ReferenceCurve(d);
        benchmark::DoNotOptimize(d.NSA.data());
    }
}

void BM_Veldmark(benchmark::State& state)
{
    nsa::TNSAData d = Case(state.range(0), state.range(1));
    for (auto _ : state) {
        nsa::CalculateNSACurve(d);
        benchmark::DoNotOptimize(d.NSA.data());
    }
}

// Args: {worst case, vertical}
// The curve runs on several threads: CPU time is the whole process's, and the
// iterations are timed by the wall clock, so both figures are honest.
BENCHMARK(BM_Reference)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_Veldmark)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Every EdMax within 1e-9 dB of the reference and every height identical.
bool ResultsAgree()
{
    bool agree = true;
    for (bool worst : {false, true})
        for (bool vertical : {false, true}) {
            nsa::TNSAData ref = Case(worst, vertical), fast = ref;
            ReferenceCurve(ref);
            nsa::CalculateNSACurve(fast);
            int heightsDiffer = 0;
            double worstDb = 0;
            for (int i = 0; i < ref.NumPoints; ++i) {
                worstDb = std::max(worstDb, std::fabs(ref.EdMax[i] - fast.EdMax[i]));
                heightsDiffer += ref.Height[i] != fast.Height[i];
            }
            std::printf("check %-5s %-10s: largest EdMax difference %.3g dB, heights differing %d\n",
                        worst ? "worst" : "default", vertical ? "vertical" : "horizontal", worstDb,
                        heightsDiffer);
            agree = agree && worstDb <= 1e-9 && heightsDiffer == 0;
        }
    return agree;
}

} // namespace

int main(int argc, char** argv)
{
    if (!ResultsAgree()) {
        std::fprintf(stderr, "results differ from the reference\n");
        return EXIT_FAILURE;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
