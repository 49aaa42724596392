#pragma once

#include "nsa/NSAData.h"

#include <iosfwd>
#include <string>

namespace nsa
{

// veldmark-calc --compare FILE: compares a measured NSA file with the
// computed curve and prints the deviation table as CSV on out, a summary on
// err. Exit status 0 when every compared point is within the acceptance
// window, 3 when any is outside it, 2 when the file cannot be read or parsed
// or none of its frequencies lies within the curve's.
int RunCompareCommand(const std::string& file, const TNSAData& theory, std::ostream& out,
                      std::ostream& err);

} // namespace nsa
