#pragma once

#include "nsa/NSACurve.h"

#include <string>

namespace nsa {

// The export text of a last calculation: the single layout for a user curve,
// the paired one when its standard curve follows. Numbers as "%g" with "."
// whatever the locale, every line ending in CR LF.
std::string FormatCsv(const LastCalculation& last);

struct FileWriteResult {
    bool ok = true;
    std::string error; // the system's reason when !ok
};

// Writes through a temporary file in the same folder, flushed to disk and then
// renamed over the target, so a failure never leaves a half-written file in
// place of the one that was there.
FileWriteResult WriteFileReplacing(const std::string& path, const std::string& bytes);

FileWriteResult WriteCsvFile(const std::string& path, const LastCalculation& last);

} // namespace nsa
