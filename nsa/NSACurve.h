#pragma once

#include "nsa/NSAData.h"
#include "nsa/ScanCheck.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace nsa {

// Shared between the thread computing a curve and the one watching it: the
// watcher reads pointsDone and may set cancel at any time.
struct CurveProgress {
    std::atomic<bool> cancel{false};
    std::atomic<std::int32_t> pointsDone{0};
};

enum class CurveStatus { Done, Cancelled, Refused };

// Checks a parameter set before any work: NumPoints >= 2, finite positive
// frequencies, and a scan that CheckScan accepts at every point's step.
ScanProblem CheckCurve(const TNSAData& data);

// Fills Freq, EdMax, NSA and Height from fields 1-10. Points are computed in
// parallel; every value equals what EdMaxHorizontal / EdMaxVertical give for
// that point. With Refused nothing is changed; with Cancelled the sequences
// are incomplete and the record is to be discarded.
CurveStatus CalculateNSACurve(TNSAData& data, CurveProgress* progress = nullptr);

// Field evaluations the curve costs, for deciding whether to show progress.
std::int64_t CurveFieldEvaluations(const TNSAData& data);

// The standard ANSI curve of a user curve: same geometry and sweep, scan 1 m
// to 4 m with the default step. The sequences are left empty.
TNSAData StandardAnsiCurve(const TNSAData& user);

// What an export writes: the last record, or the user curve and the standard
// curve that follows it. user is null when the list is empty.
struct LastCalculation {
    const TNSAData* user = nullptr;
    const TNSAData* ansi = nullptr;
    explicit operator bool() const { return user != nullptr; }
};

LastCalculation FindLastCalculation(const std::vector<TNSAData>& list);

} // namespace nsa
