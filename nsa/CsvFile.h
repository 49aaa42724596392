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

// A regular file (or a new one) is written through a temporary file in the
// same folder, flushed to disk and then renamed over the target, so a failure
// never leaves a half-written file in place of the one that was there; the
// temporary file is unnamed where the file system allows it, so a killed run
// leaves nothing behind. Links are followed (a dangling one creates the file
// it names). Anything else (a device, a pipe, a socket) is written in place,
// never replaced; a pipe without a reader is refused rather than waited on.
FileWriteResult WriteFileReplacing(const std::string& path, const std::string& bytes);

FileWriteResult WriteCsvFile(const std::string& path, const LastCalculation& last);

} // namespace nsa
