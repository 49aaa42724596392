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

// One block of heights, padded to whole tiles with heights that bound
// nothing (a = -inf, b = 0).
constexpr int kTile = 8; // heights held in registers while the points go by
constexpr int kPaddedBlock = (kBlock + kTile - 1) / kTile * kTile;

struct BlockData {
    alignas(64) double a[kPaddedBlock], b[kPaddedBlock], margin[kPaddedBlock];
    alignas(64) double rotationCos[kPaddedBlock], rotationSin[kPaddedBlock];
    alignas(64) double c[kPaddedBlock], s[kPaddedBlock]; // cos, sin of k*(R2-R1), first point
    int size = 0;
};

// Four doubles in one AVX register; two in one SSE2 register.
using Vec4 = double __attribute__((vector_size(32)));
using Vec2 = double __attribute__((vector_size(16)));

// The helpers below pass vectors by value, whose calling convention differs
// between the builds of the hot loop; they are always inlined, so no such
// call exists and the compiler's note about it does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

// Always inlined, so each build of the hot loop uses its own instructions and
// no vector crosses a call between code built for different processors.
#define VELDMARK_INLINE inline __attribute__((always_inline))

template <typename V> VELDMARK_INLINE V Load(const double* p)
{
    V v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

template <typename V> VELDMARK_INLINE void Store(double* p, V v)
{
    __builtin_memcpy(p, &v, sizeof v);
}

template <typename V> VELDMARK_INLINE V Max(V x, V y) { return x > y ? x : y; }

// The hot loop: for one block of heights and n consecutive points, an upper
// bound of the squared field per point (stored at upper[j * stride]) and the
// running lower bound of each point's maximum. A tile of two vectors of
// heights stays in registers while the rotation turns it through all n
// points; per point only two running maxima (up and low, kMaxLanes doubles
// each) go to memory.
constexpr int kMaxLanes = 4;

template <typename V>
VELDMARK_INLINE void BoundBlockTiled(const BlockData& block, int n, double* up, double* low,
                                     double* upper, std::ptrdiff_t stride, double* lowerMax)
{
    constexpr int lanes = sizeof(V) / sizeof(double);
    constexpr double inf = std::numeric_limits<double>::infinity();
    V none;
    for (int l = 0; l < lanes; ++l)
        none[l] = -inf;
    for (int j = 0; j < n; ++j) {
        Store(up + kMaxLanes * j, none);
        Store(low + kMaxLanes * j, none);
    }
    for (int t = 0; t < block.size; t += 2 * lanes) {
        const int t1 = t + lanes;
        const V a0 = Load<V>(block.a + t), a1 = Load<V>(block.a + t1);
        const V b0 = Load<V>(block.b + t), b1 = Load<V>(block.b + t1);
        const V w0 = Load<V>(block.margin + t), w1 = Load<V>(block.margin + t1);
        const V rc0 = Load<V>(block.rotationCos + t), rc1 = Load<V>(block.rotationCos + t1);
        const V rs0 = Load<V>(block.rotationSin + t), rs1 = Load<V>(block.rotationSin + t1);
        V c0 = Load<V>(block.c + t), c1 = Load<V>(block.c + t1);
        V s0 = Load<V>(block.s + t), s1 = Load<V>(block.s + t1);
        for (int j = 0; j < n; ++j) {
            double* u = up + kMaxLanes * j;
            double* d = low + kMaxLanes * j;
            const V v0 = a0 + b0 * c0, v1 = a1 + b1 * c1;
            Store(u, Max(Load<V>(u), Max(v0 + w0, v1 + w1)));
            Store(d, Max(Load<V>(d), Max(v0 - w0, v1 - w1)));
            const V cn0 = c0 * rc0 - s0 * rs0, cn1 = c1 * rc1 - s1 * rs1;
            s0 = s0 * rc0 + c0 * rs0;
            s1 = s1 * rc1 + c1 * rs1;
            c0 = cn0;
            c1 = cn1;
        }
    }
    for (int j = 0; j < n; ++j) {
        double u = -inf, d = -inf;
        for (int l = 0; l < lanes; ++l) {
            u = std::max(u, up[kMaxLanes * j + l]);
            d = std::max(d, low[kMaxLanes * j + l]);
        }
        upper[j * stride] = u;
        lowerMax[j] = std::max(lowerMax[j], d);
    }
}

// Two builds of the hot loop, the one for the processor chosen when the
// program starts (function multiversioning): AVX2 with FMA, tiles of eight
// heights, and plain x86-64 with SSE2, tiles of four. Fused multiply-adds
// change the rotation in the last bit only; the bounds keep their margin and
// the exact scan that follows decides every result, so the curve is bit for
// bit the same on either path.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target("arch=x86-64-v3"))) void BoundBlock(const BlockData& block, int n,
                                                          double* up, double* low, double* upper,
                                                          std::ptrdiff_t stride, double* lowerMax)
{
    BoundBlockTiled<Vec4>(block, n, up, low, upper, stride, lowerMax);
}

__attribute__((target("default")))
#endif
void BoundBlock(const BlockData& block, int n, double* up, double* low, double* upper,
                std::ptrdiff_t stride, double* lowerMax)
{
    BoundBlockTiled<Vec2>(block, n, up, low, upper, stride, lowerMax);
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
        upTile.resize(kMaxLanes * std::size_t(n));
        lowTile.resize(kMaxLanes * std::size_t(n));
        BlockData block;
        for (int blk = 0; blk < blocks; ++blk) {
            const int h0 = blk * kBlock;
            block.size = std::min<int>(kBlock, int(g.height.size()) - h0);
            for (int h = 0; h < kPaddedBlock; ++h) {
                const bool real = h < block.size;
                block.a[h] = real ? g.a[h0 + h] : -std::numeric_limits<double>::infinity();
                block.b[h] = real ? g.b[h0 + h] : 0;
                block.margin[h] = real ? g.margin[h0 + h] : 0;
                block.rotationCos[h] = real ? g.rotationCos[h0 + h] : 1;
                block.rotationSin[h] = real ? g.rotationSin[h0 + h] : 0;
                block.c[h] = real ? std::cos(k[0] * g.pathDifference[h0 + h]) : 1;
                block.s[h] = real ? std::sin(k[0] * g.pathDifference[h0 + h]) : 0;
            }
            BoundBlock(block, n, upTile.data(), lowTile.data(), upperMax.data() + blk, blocks,
                       lowerMax.data());
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
    std::vector<double> upTile, lowTile; // kMaxLanes per point, for the block in hand
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
