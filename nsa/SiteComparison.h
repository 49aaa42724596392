#pragma once

#include "nsa/MeasuredNsa.h"
#include "nsa/NSAData.h"

#include <optional>
#include <string>
#include <vector>

namespace nsa
{

// The acceptance window of a site: measured NSA within this many dB of the
// theoretical NSA.
constexpr double kAcceptanceDb = 4.0;

// The theoretical NSA at a frequency, linear between the two neighbouring
// points of the curve; empty outside the curve's frequencies (never
// extrapolated).
std::optional<double> InterpolateNSA(const TNSAData& theory, double freq);

struct TComparisonRow {
    TMeasuredPoint measured;
    bool compared = false; // false: outside the computed frequencies
    double theory = 0;     // dB, when compared
    double deviation = 0;  // measured - theory, dB, when compared
    bool within = false;   // |deviation| <= kAcceptanceDb
};

struct TSiteComparison {
    std::vector<TComparisonRow> rows; // in the file's order
    int compared = 0;
    int failed = 0; // compared and outside the acceptance window
    int notCompared = 0;
    int worst = -1; // row of the largest |deviation|, -1 when nothing compared
    bool Passed() const { return compared > 0 && failed == 0; }
};

TSiteComparison CompareSite(const TNSAData& theory, const std::vector<TMeasuredPoint>& measured);

// The deviation table, one row per measured point, CR LF line ends and "%g"
// numbers like the export file.
std::string FormatComparisonCsv(const TSiteComparison& comparison);

} // namespace nsa
