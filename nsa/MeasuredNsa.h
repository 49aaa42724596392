#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nsa
{

// One point of a measured site: frequency in MHz, NSA in dB, and the line of
// the file it came from (counted from 1).
struct TMeasuredPoint {
    double Freq = 0;
    double NSA = 0;
    int Line = 0;
};

struct MeasuredNsaFile {
    std::vector<TMeasuredPoint> points;
    std::string error; // empty when the whole file was read
    bool ok() const { return error.empty(); }
};

// A measured NSA file: one point a line, the frequency in MHz and then the
// NSA in dB (further columns are ignored), separated by commas, semicolons or
// blanks. Leading lines whose first field is no number are a header; blank
// lines are skipped. The decimal point is "." or "," for the whole file: ","
// when the fields are not separated by commas and a data line holds one.
// After the header every line must parse; the error names each line that
// does not (the first ten of them).
MeasuredNsaFile ParseMeasuredNsa(std::string_view text);

// Reads and parses a file. Only a regular file of at most kMaxMeasuredFileBytes
// is read, so a FIFO or a device never blocks or floods the reader.
MeasuredNsaFile ReadMeasuredNsaFile(const std::string& path);

constexpr long long kMaxMeasuredFileBytes = 16 * 1024 * 1024;

} // namespace nsa
