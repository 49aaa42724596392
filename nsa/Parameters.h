#pragma once

#include "nsa/NSAData.h"

#include <functional>
#include <optional>

namespace nsa {

// The eight fields of a parameter set in the order they are checked (the
// lower limit before the upper one, which depends on it).
enum class ParameterField {
    TransHeight,
    SepDist,
    LowerLimit,
    UpperLimit,
    ScanStep,
    StartFreq,
    StopFreq,
    NumPoints
};

// The message shown when a field fails its conversion or its range test.
const char* InvalidFieldMessage(ParameterField field);

// Our own bound, not a range of the form: a scan step (or, for 0, the default
// step at the stop frequency) that gives more than kMaxScanHeights heights.
inline constexpr const char* kTooManyHeightsMessage =
    "Too many receive heights: the scan step (for 0, the default step at the stop frequency) "
    "gives more than 1000000 heights between the scan limits, the most that is computed.";

// How the fields' texts become numbers; empty when the text does not convert.
// The window converts with the user's locale, the command line with ".".
struct ParameterReader {
    std::function<std::optional<double>(ParameterField)> real;
    std::function<std::optional<long long>(ParameterField)> integer;
};

struct ParameterCheck {
    std::optional<ParameterField> failed; // the first field that is invalid
    const char* message = nullptr;        // what to tell the user when failed
    TNSAData data;                        // fields 1-10 when nothing failed
};

// Reads and checks the fields one at a time and stops at the first invalid
// one; later fields are not read. Beyond the ranges, a value that is infinite
// or NaN is invalid, and so is a positive step too small to move the height.
ParameterCheck CheckParameters(const ParameterReader& reader, bool vertical);

} // namespace nsa
