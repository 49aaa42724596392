#pragma once

#include <cstdint>

namespace nsa {

// Why a height scan cannot run. The window validates its fields so that none of
// these happen; other callers (the command line, library users) get told here
// instead of a scan that never ends or a logarithm of a negative number.
enum class ScanProblem {
    None,
    NotFinite,          // some input is infinite or NaN
    NotPositive,        // frequency, transmit height, separation or lower limit <= 0
    LimitsReversed,     // LowerLimit > UpperLimit + 1e-7: no height would be visited
    NegativeStep,       // ScanStep < 0
    StepDoesNotAdvance, // adding the step no longer changes the height
    TooManyHeights,     // more than kMaxScanHeights heights
    OutOfRange,         // a length beyond kMaxLength, or a separation below kMinSepDist
};

// Bound on heights per scan: a millionth of the span per step is far finer
// than any antenna mast, and keeps the worst curve to seconds, not hours.
constexpr std::int64_t kMaxScanHeights = 1'000'000;

// The vertical field takes path lengths to the sixth power: beyond these
// bounds that overflows or underflows a double and the field is no number.
constexpr double kMaxLength = 1e30;
constexpr double kMinSepDist = 1e-30;

// Allowance that lets the running sum still visit the upper limit.
constexpr double kScanAllowance = 1e-7;

ScanProblem CheckScan(double Freq, double UpperLimit, double LowerLimit, double TransHeight,
                      double SepDist, double ScanStep);

// Heights a valid scan visits, counted by the same running sum the scan uses.
std::int64_t ScanHeightCount(double UpperLimit, double LowerLimit, double step);

const char* ScanProblemText(ScanProblem problem);

} // namespace nsa
