#include "nsa/Parameters.h"

#include "nsa/NSACurve.h"
#include "nsa/ScanCheck.h"

#include <cmath>

namespace nsa {

const char* InvalidFieldMessage(ParameterField field)
{
    switch (field) {
    case ParameterField::TransHeight: return "Invalid transmit height.";
    case ParameterField::SepDist: return "Invalid separation distance.";
    case ParameterField::LowerLimit: return "Invalid lower limit.";
    case ParameterField::UpperLimit:
        return "Invalid upper limit (must be greater than lower limit).";
    case ParameterField::ScanStep:
        return "Invalid scan step (must be between zero and receive height span).";
    case ParameterField::StartFreq:
        return "Invalid start frequency (must be between 0 and 40 GHz).";
    case ParameterField::StopFreq:
        return "Invalid stop frequency (must be between start and 40 GHz).";
    case ParameterField::NumPoints:
        return "Invalid number of frequency points (must be between 2 and 2001).";
    }
    return "";
}

static_assert(kMaxScanHeights == 1'000'000, "kTooManyHeightsMessage names the bound");

namespace {

constexpr double kMaxFreqMHz = 40000;

ScanProblem StepProblem(double step, double lower, double upper)
{
    // The default step depends on the frequency: it is checked with the curve.
    if (step == 0)
        return ScanProblem::None;
    return CheckScan(1.0, upper, lower, 1.0, 1.0, step);
}

} // namespace

ParameterCheck CheckParameters(const ParameterReader& reader, bool vertical)
{
    ParameterCheck result;
    TNSAData& d = result.data;
    ScanProblem stepProblem = ScanProblem::None;
    // The field's own message, unless our bound on heights was what failed.
    auto failed = [&]() -> ParameterCheck& {
        result.message = stepProblem == ScanProblem::TooManyHeights
                             ? kTooManyHeightsMessage
                             : InvalidFieldMessage(*result.failed);
        return result;
    };

    // Reads one real and applies its range test; false ends the check.
    auto real = [&](ParameterField field, double& into, auto valid) {
        const std::optional<double> v = reader.real(field);
        if (!v || !std::isfinite(*v) || !valid(*v)) {
            result.failed = field;
            return false;
        }
        into = *v;
        return true;
    };

    // Lengths past kMaxLength would overflow the field computation; they are
    // refused with their own field's message.
    auto length = [](double v) { return v > 0 && v <= kMaxLength; };
    if (!real(ParameterField::TransHeight, d.TransHeight, length) ||
        !real(ParameterField::SepDist, d.SepDist,
              [&](double v) { return length(v) && v >= kMinSepDist; }) ||
        !real(ParameterField::LowerLimit, d.LowerLimit, length) ||
        !real(ParameterField::UpperLimit, d.UpperLimit,
              [&](double v) { return v > d.LowerLimit && v <= kMaxLength; }) ||
        !real(ParameterField::ScanStep, d.ScanStep,
              [&](double v) {
                  if (!(v >= 0 && v <= d.UpperLimit - d.LowerLimit))
                      return false;
                  stepProblem = StepProblem(v, d.LowerLimit, d.UpperLimit);
                  return stepProblem == ScanProblem::None;
              }) ||
        !real(ParameterField::StartFreq, d.StartFreq,
              [](double v) { return v > 0 && v <= kMaxFreqMHz; }) ||
        !real(ParameterField::StopFreq, d.StopFreq,
              [&](double v) { return v > d.StartFreq && v <= kMaxFreqMHz; }))
        return failed();

    const std::optional<long long> points = reader.integer(ParameterField::NumPoints);
    if (!points || *points < 2 || *points > 2001) {
        result.failed = ParameterField::NumPoints;
        return failed();
    }
    d.NumPoints = std::int32_t(*points);
    d.AnsiDefault = false;
    d.Vertical = vertical;
    // Only the default step can still fail here: at far-out heights it may no
    // longer move the height, or give too many heights at the top frequency.
    stepProblem = CheckCurve(d);
    if (stepProblem != ScanProblem::None) {
        result.failed = ParameterField::ScanStep;
        return failed();
    }
    return result;
}

} // namespace nsa
