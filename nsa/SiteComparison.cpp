#include "nsa/SiteComparison.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace nsa
{

namespace
{

std::string G(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

} // namespace

std::optional<double> InterpolateNSA(const TNSAData& theory, double freq)
{
    const std::vector<double>& f = theory.Freq;
    const std::size_t n = std::min(f.size(), theory.NSA.size());
    if (n == 0 || !std::isfinite(freq))
        return std::nullopt;
    // The grid's last point may miss StopFreq by a rounding; a measurement
    // right at either end of the sweep is still inside it.
    if (freq == theory.StartFreq && freq < f[0])
        freq = f[0];
    if (freq == theory.StopFreq && freq > f[n - 1])
        freq = f[n - 1];
    if (freq < f[0] || freq > f[n - 1])
        return std::nullopt;
    const auto upper = std::lower_bound(f.begin(), f.begin() + std::ptrdiff_t(n), freq);
    const std::size_t i = std::size_t(upper - f.begin());
    if (f[i] == freq)
        return theory.NSA[i];
    const double t = (freq - f[i - 1]) / (f[i] - f[i - 1]);
    return theory.NSA[i - 1] + t * (theory.NSA[i] - theory.NSA[i - 1]);
}

TSiteComparison CompareSite(const TNSAData& theory, const std::vector<TMeasuredPoint>& measured)
{
    TSiteComparison c;
    c.rows.reserve(measured.size());
    for (const TMeasuredPoint& m : measured) {
        TComparisonRow row;
        row.measured = m;
        const std::optional<double> t = InterpolateNSA(theory, m.Freq);
        if (t && std::isfinite(*t)) {
            row.compared = true;
            row.theory = *t;
            row.deviation = m.NSA - *t;
            row.within = std::fabs(row.deviation) <= kAcceptanceDb;
        }
        c.rows.push_back(row);
    }
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        const TComparisonRow& row = c.rows[i];
        if (!row.compared) {
            ++c.notCompared;
            continue;
        }
        ++c.compared;
        c.failed += !row.within;
        if (c.worst < 0 ||
            std::fabs(row.deviation) > std::fabs(c.rows[std::size_t(c.worst)].deviation))
            c.worst = int(i);
    }
    return c;
}

std::string FormatComparisonCsv(const TSiteComparison& comparison)
{
    std::string out =
        "Frequency (MHz),Measured NSA (dB),Theoretical NSA (dB),Deviation (dB),Result\r\n";
    for (const TComparisonRow& row : comparison.rows) {
        out += G(row.measured.Freq) + "," + G(row.measured.NSA) + ",";
        if (row.compared)
            out += G(row.theory) + "," + G(row.deviation) + "," + (row.within ? "pass" : "FAIL");
        else
            out += ",,outside computed range";
        out += "\r\n";
    }
    return out;
}

} // namespace nsa
