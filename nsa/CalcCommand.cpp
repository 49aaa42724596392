#include "nsa/CalcCommand.h"

#include "nsa/CompareCommand.h"
#include "nsa/CsvFile.h"
#include "nsa/NSACurve.h"
#include "nsa/Parameters.h"

#include "VeldmarkVersion.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>

namespace nsa {

namespace {

constexpr const char* kUsage =
    "usage: veldmark-calc [--trans-height M] [--sep-dist M] [--upper-limit M] [--lower-limit M]\n"
    "                     [--scan-step M] [--start-freq MHZ] [--stop-freq MHZ] [--num-points N]\n"
    "                     [--polarization horizontal|vertical] [--show-default] [-o FILE]\n"
    "                     [--compare MEASURED]\n";

constexpr const char* kHelp =
    "Computes a theoretical Normalized Site Attenuation curve by the two-ray method\n"
    "(ANSI C63.4 / C63.5) and writes it as CSV, without opening a window.\n"
    "\n"
    "  --trans-height M     transmit antenna height in metres (default 1)\n"
    "  --sep-dist M         horizontal separation of the antennas in metres (default 10)\n"
    "  --upper-limit M      upper receive scan limit in metres (default 4)\n"
    "  --lower-limit M      lower receive scan limit in metres (default 1)\n"
    "  --scan-step M        receive height step in metres, 0 = frequency-dependent\n"
    "                       default step (default 0)\n"
    "  --start-freq MHZ     first frequency in MHz (default 30)\n"
    "  --stop-freq MHZ      last frequency in MHz, at most 40000 (default 1000)\n"
    "  --num-points N       number of frequency points, 2 to 2001 (default 971)\n"
    "  --polarization P     horizontal or vertical (default horizontal)\n"
    "  --show-default       also compute the standard ANSI curve (1 m to 4 m scan,\n"
    "                       default step) and write both in the paired layout\n"
    "  -o FILE              write to FILE, replacing it; '-' or no -o writes to\n"
    "                       standard output\n"
    "  --compare MEASURED   compare a measured NSA file (frequency in MHz, NSA in dB\n"
    "                       per line) with the curve and print the deviation table;\n"
    "                       exit 0 when every point is within +/-4 dB, 3 when any\n"
    "                       is not, 2 when the file cannot be read\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Numbers use '.' as the decimal point whatever the locale.\n"
    "Exit status: 0 written, 1 the file could not be written, 2 usage error or\n"
    "invalid parameter (the message names the first invalid one).\n";

const std::map<std::string, ParameterField> kFieldOptions = {
    {"--trans-height", ParameterField::TransHeight}, {"--sep-dist", ParameterField::SepDist},
    {"--upper-limit", ParameterField::UpperLimit},   {"--lower-limit", ParameterField::LowerLimit},
    {"--scan-step", ParameterField::ScanStep},       {"--start-freq", ParameterField::StartFreq},
    {"--stop-freq", ParameterField::StopFreq},       {"--num-points", ParameterField::NumPoints},
};

// The settings file's defaults, so the command and a first run agree.
const std::map<ParameterField, std::string> kDefaults = {
    {ParameterField::TransHeight, "1"}, {ParameterField::SepDist, "10"},
    {ParameterField::UpperLimit, "4"},  {ParameterField::LowerLimit, "1"},
    {ParameterField::ScanStep, "0"},    {ParameterField::StartFreq, "30"},
    {ParameterField::StopFreq, "1000"}, {ParameterField::NumPoints, "971"},
};

template <typename T> std::optional<T> ParseWhole(const std::string& text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value);
    if (text.empty() || r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    return value;
}

int UsageError(std::ostream& err, const std::string& what)
{
    err << "veldmark-calc: " << what << "\n" << kUsage;
    return 2;
}

} // namespace

int RunCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::map<ParameterField, std::string> texts = kDefaults;
    bool vertical = false, showDefault = false;
    std::string output = "-";
    std::optional<std::string> compareFile;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out << kUsage << "\n" << kHelp;
            return 0;
        }
        if (arg == "--version") {
            out << "veldmark-calc " << kVeldmarkVersion << "\n";
            return 0;
        }
        if (arg == "--show-default") {
            showDefault = true;
            continue;
        }
        const bool takesValue = kFieldOptions.count(arg) || arg == "--polarization" || arg == "-o" ||
                                arg == "--compare";
        if (!takesValue)
            return UsageError(err, "unknown option '" + arg + "'");
        if (i + 1 >= args.size())
            return UsageError(err, "option '" + arg + "' needs a value");
        const std::string& value = args[++i];
        if (arg == "-o" && value.empty())
            return UsageError(err, "option '-o' is missing a file name");
        if (arg == "-o")
            output = value;
        else if (arg == "--compare")
            compareFile = value;
        else if (arg == "--polarization") {
            if (value != "horizontal" && value != "vertical")
                return UsageError(err, "polarization must be horizontal or vertical");
            vertical = value == "vertical";
        } else
            texts[kFieldOptions.at(arg)] = value;
    }

    if (compareFile && output != "-")
        return UsageError(err, "--compare prints its table on standard output; leave out -o");

    ParameterReader reader;
    reader.real = [&](ParameterField f) { return ParseWhole<double>(texts[f]); };
    reader.integer = [&](ParameterField f) { return ParseWhole<long long>(texts[f]); };
    ParameterCheck check = CheckParameters(reader, vertical);
    if (check.failed) {
        err << "veldmark-calc: " << check.message << "\n";
        return 2;
    }

    std::vector<TNSAData> curves{check.data};
    if (showDefault)
        curves.push_back(StandardAnsiCurve(check.data));
    for (TNSAData& curve : curves)
        if (CalculateNSACurve(curve) != CurveStatus::Done) {
            err << "veldmark-calc: " << InvalidFieldMessage(ParameterField::ScanStep) << "\n";
            return 2;
        }

    if (compareFile)
        return RunCompareCommand(*compareFile, curves.front(), out, err);

    const LastCalculation last = FindLastCalculation(curves);
    if (output == "-") {
        errno = 0;
        out << FormatCsv(last);
        out.flush();
        if (!out) {
            const int error = errno; // the C library's reason, when it left one
            err << "veldmark-calc: cannot write to standard output"
                << (error ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
            return 1;
        }
        return 0;
    }
    const FileWriteResult written = WriteCsvFile(output, last);
    if (!written.ok) {
        err << "veldmark-calc: cannot write '" << output << "': " << written.error << "\n";
        return 1;
    }
    return 0;
}

} // namespace nsa
