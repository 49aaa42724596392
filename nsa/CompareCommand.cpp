#include "nsa/CompareCommand.h"

#include "nsa/SiteComparison.h"

#include <ostream>

namespace nsa
{

int RunCompareCommand(const std::string& file, const TNSAData& theory, std::ostream& out,
                      std::ostream& err)
{
    const MeasuredNsaFile measured = ReadMeasuredNsaFile(file);
    if (!measured.ok()) {
        err << "veldmark-calc: " << measured.error << "\n";
        return 2;
    }
    const TSiteComparison comparison = CompareSite(theory, measured.points);
    if (comparison.compared == 0) {
        err << "veldmark-calc: '" << file << "': no measured frequency lies within the computed "
            << theory.StartFreq << " to " << theory.StopFreq << " MHz\n";
        return 2;
    }
    out << FormatComparisonCsv(comparison);
    out.flush();
    const TComparisonRow& worst = comparison.rows[std::size_t(comparison.worst)];
    err << "veldmark-calc: " << comparison.compared - comparison.failed << " of "
        << comparison.compared << " points within +/-" << kAcceptanceDb << " dB, largest deviation "
        << worst.deviation << " dB at " << worst.measured.Freq << " MHz";
    if (comparison.notCompared > 0)
        err << "; " << comparison.notCompared << " outside the computed range, not compared";
    err << "\n";
    if (!out)
        return 1;
    return comparison.Passed() ? 0 : 3;
}

} // namespace nsa
