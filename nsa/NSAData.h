#pragma once

#include <cstdint>
#include <vector>

namespace nsa {

// One curve: the parameter set and, after computation, four sequences of
// NumPoints values each, entry i of every sequence belonging to Freq[i].
struct TNSAData {
    bool AnsiDefault = false; // true for the standard ANSI curve of a user curve
    double TransHeight = 0;   // m
    double SepDist = 0;       // m
    double UpperLimit = 0;    // m
    double LowerLimit = 0;    // m
    double ScanStep = 0;      // m; 0 selects the frequency-dependent default step
    double StartFreq = 0;     // MHz
    double StopFreq = 0;      // MHz
    std::int32_t NumPoints = 0;
    bool Vertical = false;
    std::vector<double> Freq;   // MHz
    std::vector<double> EdMax;  // dB
    std::vector<double> NSA;    // dB
    std::vector<double> Height; // m, receive height of the maximum
};

} // namespace nsa
