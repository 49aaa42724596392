#include "nsa/ScanCheck.h"

#include "nsa/EdMax.h"

#include <cmath>
#include <initializer_list>

namespace nsa {

namespace {

double EstimatedHeights(double upper, double lower, double step)
{
    return std::floor((upper + kScanAllowance - lower) / step) + 1.0;
}

} // namespace

ScanProblem CheckScan(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                      double SepDist, double ScanStep)
{
    for (double v : {Freq, UpperLimit, LowerLimit, TransHeight, SepDist, ScanStep})
        if (!std::isfinite(v))
            return ScanProblem::NotFinite;
    if (Freq <= 0 || TransHeight <= 0 || SepDist <= 0 || LowerLimit <= 0)
        return ScanProblem::NotPositive;
    for (double length : {UpperLimit, LowerLimit, TransHeight, SepDist})
        if (length > kMaxLength)
            return ScanProblem::OutOfRange;
    if (SepDist < kMinSepDist)
        return ScanProblem::OutOfRange;
    if (LowerLimit > UpperLimit + kScanAllowance)
        return ScanProblem::LimitsReversed;
    if (ScanStep < 0)
        return ScanProblem::NegativeStep;
    const double step = ScanStep == 0 ? DefaultScanStep(Freq) : ScanStep;
    // The running sum stalls first where the heights are largest.
    const double top = std::fmax(UpperLimit, LowerLimit);
    if (top + step == top || LowerLimit + step == LowerLimit)
        return ScanProblem::StepDoesNotAdvance;
    if (EstimatedHeights(UpperLimit, LowerLimit, step) > double(kMaxScanHeights))
        return ScanProblem::TooManyHeights;
    return ScanProblem::None;
}

std::int64_t ScanHeightCount(double UpperLimit, double LowerLimit, double step)
{
    if (!(step > 0) || EstimatedHeights(UpperLimit, LowerLimit, step) > double(kMaxScanHeights) + 2)
        return 0;
    std::int64_t count = 0;
    for (double h = LowerLimit; UpperLimit + kScanAllowance >= h; h = h + step)
        ++count;
    return count;
}

const char* ScanProblemText(ScanProblem problem)
{
    switch (problem) {
    case ScanProblem::None: return "no problem";
    case ScanProblem::NotFinite: return "an input is not a finite number";
    case ScanProblem::NotPositive: return "frequency, heights and separation must be positive";
    case ScanProblem::LimitsReversed: return "the lower limit is above the upper limit";
    case ScanProblem::NegativeStep: return "the scan step is negative";
    case ScanProblem::StepDoesNotAdvance: return "the scan step is too small to change the height";
    case ScanProblem::TooManyHeights: return "the scan step gives more than a million heights";
    case ScanProblem::OutOfRange: return "a height or distance is too large or too small to compute";
    }
    return "unknown problem";
}

} // namespace nsa
