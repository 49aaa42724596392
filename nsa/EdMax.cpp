#include "nsa/EdMax.h"

#include "nsa/ScanCheck.h"
#include "nsa/TwoRayField.h"

#include <cmath>
#include <limits>

namespace nsa {

double DefaultScanStep(double Freq)
{
    if (Freq > 10000)
        return 0.0005;
    if (Freq > 4000)
        return 0.002;
    if (Freq > 1000)
        return 0.005;
    return 0.01;
}

namespace {

template <typename Field>
double ScanForMaximum(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                      double SepDist, double ScanStep, double& HeightOfMax, Field field)
{
    if (CheckScan(Freq, UpperLimit, LowerLimit, TransHeight, SepDist, ScanStep) !=
        ScanProblem::None)
        return std::numeric_limits<double>::quiet_NaN();

    const double step = ScanStep == 0 ? DefaultScanStep(Freq) : ScanStep;
    const double k = detail::WaveNumber(Freq);
    const double sepDistSquared = SepDist * SepDist;
    double best = -99999.0;
    for (double h = LowerLimit; UpperLimit + kScanAllowance >= h; h = h + step) {
        const double e = field(detail::Paths(h, TransHeight, sepDistSquared), k, sepDistSquared);
        if (e > best) {
            best = e;
            HeightOfMax = h;
        }
    }
    return 20 * std::log10(best);
}

} // namespace

double EdMaxHorizontal(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                       double SepDist, double ScanStep, double& HeightOfMax)
{
    return ScanForMaximum(Freq, UpperLimit, LowerLimit, TransHeight, SepDist, ScanStep,
                          HeightOfMax, [](detail::RayPaths p, double k, double) {
                              return detail::HorizontalField(p, k);
                          });
}

double EdMaxVertical(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                     double SepDist, double ScanStep, double& HeightOfMax)
{
    return ScanForMaximum(Freq, UpperLimit, LowerLimit, TransHeight, SepDist, ScanStep,
                          HeightOfMax, [](detail::RayPaths p, double k, double d2) {
                              return detail::VerticalField(p, k,
                                                           d2 * detail::kVerticalFieldFactor);
                          });
}

} // namespace nsa
