#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace nsa {

// veldmark-calc: computes a curve without a window and writes its CSV file.
// Exit status 0 on success, 1 when the file cannot be written, 2 for usage
// errors and invalid parameters. args excludes the program name.
int RunCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace nsa
