#pragma once

#include "nsa/CalcCommand.h"

#include <sstream>
#include <string>
#include <vector>

// One run of veldmark-calc in the test process: its exit status and what it
// printed on each stream.
struct CalcRun {
    int status;
    std::string out, err;
};

inline CalcRun Calc(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = nsa::RunCalcCommand(args, out, err);
    return {status, out.str(), err.str()};
}
