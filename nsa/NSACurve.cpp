#include "nsa/NSACurve.h"

#include "nsa/EdMax.h"
#include "nsa/TwoRayField.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <thread>

// How the curve is computed fast yet gives the plain scan's exact results.
//
// For a fixed receive height the path lengths do not depend on frequency, and
// the squared field is a + b*cos(k*(R2-R1)) with a and b fixed per height. The
// frequency grid is linear, so cos(k*(R2-R1)) for consecutive points follows
// from a rotation by a fixed angle per height: a few multiplications instead
// of three square roots and a cosine. The rotation angle per height is one
// for the whole grid; the rotation is seeded exactly at the start of every
// group of points, so its error (a few ulps per step, under 1e-13 over a
// group) stays far below kTolerance.
//
// That cheap pass only finds, per point, the blocks of heights that may hold
// the maximum. Those blocks are then scanned with the plain field formula in
// height order with the strict ">", so EdMax and the height of the maximum are
// bit for bit those of EdMaxHorizontal / EdMaxVertical.

namespace nsa {

namespace {

constexpr int kBlock = 16;               // heights per candidate block
constexpr int kGroup = 256;              // points between exact re-seeds
constexpr double kTolerance = 1e-10;     // relative error allowed to the cheap pass
constexpr std::int64_t kSerialWork = 400'000; // below this, threads cost more than they save

struct HeightGrid {
    std::vector<double> height, pathDifference, a, b, margin;
    std::vector<double> rotationCos, rotationSin; // one frequency step's turn, per height
    int blocks() const { return int((height.size() + kBlock - 1) / kBlock); }
};

// dk is the wave-number step of the frequency grid.
HeightGrid MakeGrid(const TNSAData& d, double step, double dk)
{
    HeightGrid g;
    const double d2 = d.SepDist * d.SepDist;
    for (double h = d.LowerLimit; d.UpperLimit + kScanAllowance >= h; h = h + step) {
        const detail::RayPaths p = detail::Paths(h, d.TransHeight, d2);
        double a, b;
        if (d.Vertical) {
            const double r1c = p.direct * p.direct * p.direct;
            const double r2c = p.reflected * p.reflected * p.reflected;
            a = 1 / (r1c * r1c) + 1 / (r2c * r2c);
            b = 2 / (r1c * r2c);
        } else {
            const double prod = p.direct * p.reflected;
            a = (p.direct * p.direct + p.reflected * p.reflected) / (prod * prod);
            b = -2 / prod; // cos(pi - x) = -cos(x)
        }
        g.height.push_back(h);
        g.pathDifference.push_back(p.reflected - p.direct);
        g.a.push_back(a);
        g.b.push_back(b);
        g.margin.push_back(kTolerance * (a + std::fabs(b)));
        g.rotationCos.push_back(std::cos(dk * (p.reflected - p.direct)));
        g.rotationSin.push_back(std::sin(dk * (p.reflected - p.direct)));
    }
    return g;
}

double ScanStepAt(const TNSAData& d, double freq)
{
    return d.ScanStep == 0 ? DefaultScanStep(freq) : d.ScanStep;
}

struct BlockView {
    const double *a, *b, *margin, *rotationCos, *rotationSin;
    int size;
};

// The hot loop: for one block of heights and n consecutive points, an upper
// bound of the squared field per point (stored at upper[j * stride]) and the
// running lower bound of each point's maximum. c and s hold cos and sin of
// k * (R2 - R1) for the first point and are turned point by point.
//
// Compiled for AVX2 and FMA as well as for plain x86-64, the one chosen when
// the program starts. Fused multiply-adds change the rotation in the last bit
// only; the bounds keep their margin, and the exact scan that follows decides
// every result, so the curve is bit for bit the same on either path.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v3", "default")))
#endif
void BoundBlock(const BlockView v, double* c, double* s, int n, double* upper,
                std::ptrdiff_t stride, double* lowerMax)
{
    const int m = v.size;
    for (int j = 0; j < n; ++j) {
        double up = -std::numeric_limits<double>::infinity();
        double low = -std::numeric_limits<double>::infinity();
#pragma omp simd reduction(max : up, low)
        for (int h = 0; h < m; ++h) {
            const double value = v.a[h] + v.b[h] * c[h];
            up = std::max(up, value + v.margin[h]);
            low = std::max(low, value - v.margin[h]);
            const double cn = c[h] * v.rotationCos[h] - s[h] * v.rotationSin[h];
            s[h] = s[h] * v.rotationCos[h] + c[h] * v.rotationSin[h];
            c[h] = cn;
        }
        upper[j * stride] = up;
        lowerMax[j] = std::max(lowerMax[j], low);
    }
}

// Points [first, last) that share one height grid, computed as one unit.
struct WorkUnit {
    int first, last;
    const HeightGrid* grid;
};

class CurveWorker {
public:
    CurveWorker(TNSAData& d) : data(d) {}

    void Compute(const WorkUnit& unit)
    {
        const HeightGrid& g = *unit.grid;
        const int n = unit.last - unit.first;
        const int blocks = g.blocks();
        k.resize(n);
        for (int j = 0; j < n; ++j)
            k[j] = detail::WaveNumber(data.Freq[unit.first + j]);

        lowerMax.assign(n, -std::numeric_limits<double>::infinity());
        upperMax.assign(std::size_t(n) * blocks, 0.0);
        for (int blk = 0; blk < blocks; ++blk) {
            const int h0 = blk * kBlock;
            const int m = std::min<int>(kBlock, int(g.height.size()) - h0);
            double c[kBlock], s[kBlock];
            for (int h = 0; h < m; ++h) {
                c[h] = std::cos(k[0] * g.pathDifference[h0 + h]);
                s[h] = std::sin(k[0] * g.pathDifference[h0 + h]);
            }
            BoundBlock(BlockView{g.a.data() + h0, g.b.data() + h0, g.margin.data() + h0,
                                 g.rotationCos.data() + h0, g.rotationSin.data() + h0, m},
                       c, s, n, upperMax.data() + blk, blocks, lowerMax.data());
        }
        for (int j = 0; j < n; ++j)
            ExactMaximum(g, blocks, unit.first + j, j);
    }

private:
    void ExactMaximum(const HeightGrid& g, int blocks, int point, int j)
    {
        const double d2 = data.SepDist * data.SepDist;
        const double scale = d2 * detail::kVerticalFieldFactor;
        double best = -99999.0;
        double bestHeight = data.Height[point];
        for (int blk = 0; blk < blocks; ++blk) {
            if (!(upperMax[std::size_t(j) * blocks + blk] >= lowerMax[j]))
                continue;
            const int end = std::min<int>((blk + 1) * kBlock, int(g.height.size()));
            for (int h = blk * kBlock; h < end; ++h) {
                const detail::RayPaths p = detail::Paths(g.height[h], data.TransHeight, d2);
                const double e = data.Vertical ? detail::VerticalField(p, k[j], scale)
                                               : detail::HorizontalField(p, k[j]);
                if (e > best) {
                    best = e;
                    bestHeight = g.height[h];
                }
            }
        }
        data.EdMax[point] = 20 * std::log10(best);
        data.Height[point] = bestHeight;
    }

    TNSAData& data;
    std::vector<double> k, lowerMax, upperMax;
};

} // namespace

ScanProblem CheckCurve(const TNSAData& d)
{
    if (d.NumPoints < 2)
        return ScanProblem::NotPositive;
    if (!std::isfinite(d.StartFreq) || !std::isfinite(d.StopFreq))
        return ScanProblem::NotFinite;
    // Steps only shrink as frequency grows, so the highest frequency is the
    // hardest scan; the lowest still has to be a valid frequency.
    const double low = std::min(d.StartFreq, d.StopFreq);
    const double high = std::max(d.StartFreq, d.StopFreq);
    for (double f : {high, low}) {
        const ScanProblem p =
            CheckScan(f, d.UpperLimit, d.LowerLimit, d.TransHeight, d.SepDist, d.ScanStep);
        if (p != ScanProblem::None)
            return p;
    }
    return ScanProblem::None;
}

std::int64_t CurveFieldEvaluations(const TNSAData& d)
{
    if (CheckCurve(d) != ScanProblem::None)
        return 0;
    const double df = (d.StopFreq - d.StartFreq) / (d.NumPoints - 1);
    std::map<double, std::int64_t> heightsByStep;
    std::int64_t total = 0;
    for (int i = 0; i < d.NumPoints; ++i) {
        const double step = ScanStepAt(d, i * df + d.StartFreq);
        auto it = heightsByStep.find(step);
        if (it == heightsByStep.end())
            it = heightsByStep.emplace(step, ScanHeightCount(d.UpperLimit, d.LowerLimit, step))
                     .first;
        total += it->second;
    }
    return total;
}

CurveStatus CalculateNSACurve(TNSAData& d, CurveProgress* progress)
{
    if (CheckCurve(d) != ScanProblem::None)
        return CurveStatus::Refused;

    const auto n = std::size_t(d.NumPoints);
    d.Freq.resize(n);
    d.EdMax.resize(n);
    d.NSA.resize(n);
    d.Height.resize(n);
    const double df = (d.StopFreq - d.StartFreq) / (d.NumPoints - 1);
    for (std::size_t i = 0; i < n; ++i)
        d.Freq[i] = i * df + d.StartFreq;
    const double dk = detail::kTwoPi * df * detail::kInverseLightSpeed;

    std::map<double, HeightGrid> grids;
    std::vector<WorkUnit> units;
    for (int i = 0; i < d.NumPoints;) {
        const double step = ScanStepAt(d, d.Freq[i]);
        auto it = grids.find(step);
        if (it == grids.end())
            it = grids.emplace(step, MakeGrid(d, step, dk)).first;
        int end = i + 1;
        while (end < d.NumPoints && end - i < kGroup && ScanStepAt(d, d.Freq[end]) == step)
            ++end;
        units.push_back({i, end, &it->second});
        i = end;
    }

    std::atomic<std::size_t> nextUnit{0};
    std::atomic<bool> cancelled{false};
    auto work = [&] {
        CurveWorker worker(d);
        for (std::size_t u; (u = nextUnit.fetch_add(1)) < units.size();) {
            if (progress && progress->cancel.load(std::memory_order_relaxed)) {
                cancelled = true;
                return;
            }
            worker.Compute(units[u]);
            if (progress)
                progress->pointsDone.fetch_add(units[u].last - units[u].first);
        }
    };

    std::int64_t evaluations = 0;
    for (const WorkUnit& u : units)
        evaluations += std::int64_t(u.last - u.first) * std::int64_t(u.grid->height.size());
    const unsigned threads =
        evaluations < kSerialWork
            ? 1u
            : std::min<unsigned>({std::max(1u, std::thread::hardware_concurrency()), 8u,
                                  unsigned(units.size())});
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    if (cancelled)
        return CurveStatus::Cancelled;

    for (std::size_t i = 0; i < n; ++i)
        d.NSA[i] = (48.92 - 20 * std::log10(d.Freq[i])) - d.EdMax[i];
    return CurveStatus::Done;
}

TNSAData StandardAnsiCurve(const TNSAData& user)
{
    TNSAData ansi = user;
    ansi.AnsiDefault = true;
    ansi.LowerLimit = 1.0;
    ansi.UpperLimit = 4.0;
    ansi.ScanStep = 0;
    ansi.Freq.clear();
    ansi.EdMax.clear();
    ansi.NSA.clear();
    ansi.Height.clear();
    return ansi;
}

LastCalculation FindLastCalculation(const std::vector<TNSAData>& list)
{
    if (list.empty())
        return {};
    const TNSAData& last = list.back();
    if (!last.AnsiDefault || list.size() < 2)
        return {&last, nullptr};
    return {&list[list.size() - 2], &last};
}

} // namespace nsa
