#include "nsa/MeasuredNsa.h"
#include "nsa/NSACurve.h"
#include "nsa/SiteComparison.h"

#include "CalcRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace nsa;
namespace fs = std::filesystem;

namespace
{

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("veldmark-compare-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path / name, std::ios::binary) << text;
        return (path / name).string();
    }
};

// The curve veldmark-calc computes with its defaults (1 m, 10 m, 1-4 m scan,
// 30-1000 MHz in 971 points, horizontal).
TNSAData DefaultCurve()
{
    TNSAData d;
    d.TransHeight = 1;
    d.SepDist = 10;
    d.LowerLimit = 1;
    d.UpperLimit = 4;
    d.ScanStep = 0;
    d.StartFreq = 30;
    d.StopFreq = 1000;
    d.NumPoints = 971;
    EXPECT_EQ(CalculateNSACurve(d), CurveStatus::Done);
    return d;
}

// A measured file made from the theoretical curve plus known offsets, at the
// given frequencies (grid points or between them).
std::string MeasuredFile(const TNSAData& theory,
                         const std::vector<std::pair<double, double>>& freqAndOffset,
                         const std::string& header = "Frequency (MHz),NSA (dB)\n")
{
    std::ostringstream out;
    out.precision(17);
    out << header;
    for (auto [f, offset] : freqAndOffset)
        out << f << "," << *InterpolateNSA(theory, f) + offset << "\n";
    return out.str();
}

} // namespace

TEST(MeasuredNsa, ReadsTheCommonLayoutsWithTheirHeadersAndDecimalPoints)
{
    struct Case {
        const char* what;
        const char* text;
    };
    const Case cases[] = {
        {"CSV, point", "Freq,NSA\n30,15.5\n30.5,-2.25\n"},
        {"CSV with blanks and extra columns", "f, nsa, note\n30, 15.5, 1\n 30.5 , -2.25 , 2\n"},
        {"semicolons, comma decimals", "Frequenz;NSA\n30;15,5\n30,5;-2,25\n"},
        {"blanks, comma decimals", "# site A\n\n30\t15,5\n30,5   -2,25\n"},
        {"blanks, point, CR LF, byte-order mark", "\xEF\xBB\xBF"
                                                  "30 15.5\r\n30.5 -2.25\r\n\r\n"},
        {"exponents and plus signs", "MHz dB\n3e1 +1.55e1\n+30.5 -225e-2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MeasuredNsaFile m = ParseMeasuredNsa(c.text);
        ASSERT_TRUE(m.ok()) << m.error;
        ASSERT_EQ(m.points.size(), 2u);
        EXPECT_EQ(m.points[0].Freq, 30);
        EXPECT_EQ(m.points[0].NSA, 15.5);
        EXPECT_EQ(m.points[1].Freq, 30.5);
        EXPECT_EQ(m.points[1].NSA, -2.25);
    }
    // Line numbers count the header and blank lines.
    EXPECT_EQ(ParseMeasuredNsa("a\n\nb\n30 1\n\n31 2\n").points[1].Line, 6);
}

TEST(MeasuredNsa, EveryBadLineAfterTheHeaderIsNamed)
{
    struct Case {
        const char* what;
        const char* text;
        std::string error;
    };
    const Case cases[] = {
        {"one column", "f,nsa\n30,1\n31\n", "line 3: expected a frequency in MHz and an NSA in dB"},
        {"text", "30 1\n31 abc\n", "line 2: \"abc\" is not a number"},
        {"spelled infinity", "30 1\n31 inf\n32 nan\n",
         "line 2: \"inf\" is not a number\nline 3: \"nan\" is not a number"},
        {"zero frequency", "30 1\n0 1\n-5 1\n",
         "line 2: the frequency must be above 0 MHz\nline 3: the frequency must be above 0 MHz"},
        {"a point decimal in a comma file", "30;1,5\n31;1.5\n", "line 2: \"1.5\" is not a number"},
        {"a second header", "f nsa\n30 1\nf nsa\n", "line 3: \"f\" is not a number"},
        {"no data", "frequency,nsa\n\n",
         "no measured points: a line holds a frequency in MHz and an NSA in dB"},
        {"empty", "", "no measured points: a line holds a frequency in MHz and an NSA in dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MeasuredNsaFile m = ParseMeasuredNsa(c.text);
        EXPECT_EQ(m.error, c.error);
        EXPECT_TRUE(m.points.empty());
    }
    // Ten lines are named, the rest counted.
    std::string many = "30 1\n";
    for (int i = 0; i < 12; ++i)
        many += "x 1\n";
    const std::string error = ParseMeasuredNsa("30 1\n" + std::string("31 x\n") + many).error;
    EXPECT_EQ(error.rfind("line 2: \"x\" is not a number\n", 0), 0u) << error;
    EXPECT_NE(error.find("and 3 more lines that do not parse"), std::string::npos) << error;
}

TEST(MeasuredNsa, ReadsOnlyRegularFilesAndNeverWaitsOnAFifo)
{
    TempDir dir;
    const std::string good = dir.Write("site.csv", "30,1\n");
    EXPECT_TRUE(ReadMeasuredNsaFile(good).ok());

    const std::string fifo = (dir.path / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadMeasuredNsaFile(fifo).error, "'" + fifo + "': not a regular file");
    EXPECT_EQ(ReadMeasuredNsaFile(dir.path.string()).error,
              "'" + dir.path.string() + "': not a regular file");
    const std::string missing = (dir.path / "missing.csv").string();
    EXPECT_EQ(ReadMeasuredNsaFile(missing).error, "'" + missing + "': No such file or directory");

    const std::string huge = dir.Write("huge.csv", "");
    fs::resize_file(huge, kMaxMeasuredFileBytes + 1); // sparse, costs nothing
    EXPECT_NE(ReadMeasuredNsaFile(huge).error.find("too large"), std::string::npos);

    const std::string bad = dir.Write("bad.csv", "30,1\n31,x\n");
    EXPECT_EQ(ReadMeasuredNsaFile(bad).error, "'" + bad + "': line 2: \"x\" is not a number");
}

TEST(SiteComparison, InterpolatesLinearlyInsideTheSweepAndNeverOutside)
{
    TNSAData theory;
    theory.StartFreq = 10;
    theory.StopFreq = 30;
    theory.Freq = {10, 20, 30};
    theory.NSA = {1, 5, -5};
    EXPECT_EQ(InterpolateNSA(theory, 10), 1);
    EXPECT_EQ(InterpolateNSA(theory, 20), 5);
    EXPECT_EQ(InterpolateNSA(theory, 30), -5);
    EXPECT_DOUBLE_EQ(*InterpolateNSA(theory, 12.5), 2);
    EXPECT_DOUBLE_EQ(*InterpolateNSA(theory, 27.5), -2.5);
    EXPECT_FALSE(InterpolateNSA(theory, 9.999));
    EXPECT_FALSE(InterpolateNSA(theory, 30.001));
    // The computed grid may end a rounding short of the stop frequency.
    theory.Freq.back() = std::nextafter(30.0, 0.0);
    EXPECT_EQ(InterpolateNSA(theory, 30), -5);
}

TEST(SiteComparison, VerdictUsesTheFourDecibelWindowInclusively)
{
    const TNSAData theory = DefaultCurve();
    auto compare = [&](const std::vector<std::pair<double, double>>& points) {
        const MeasuredNsaFile m = ParseMeasuredNsa(MeasuredFile(theory, points));
        EXPECT_TRUE(m.ok()) << m.error;
        return CompareSite(theory, m.points);
    };
    // Offsets written with 17 digits come back within a few ulps of 4 dB,
    // so the edge cases are a hair inside and a hair outside.
    const TSiteComparison pass = compare({{30, 0}, {100.5, 3.999}, {999.5, -3.999}, {1000, 1}});
    EXPECT_TRUE(pass.Passed());
    EXPECT_EQ(pass.compared, 4);
    EXPECT_EQ(pass.failed, 0);
    EXPECT_NEAR(pass.rows[1].deviation, 3.999, 1e-9);
    EXPECT_EQ(pass.worst, 1);

    const TSiteComparison fail = compare({{30, 0}, {500.25, -4.001}, {600, 6}});
    EXPECT_FALSE(fail.Passed());
    EXPECT_EQ(fail.failed, 2);
    EXPECT_FALSE(fail.rows[1].within);
    EXPECT_EQ(fail.worst, 2);

    TNSAData flat;
    flat.StartFreq = 1;
    flat.StopFreq = 2;
    flat.Freq = {1, 2};
    flat.NSA = {10, 10};
    const TSiteComparison edge = CompareSite(flat, {{1, 14, 1}, {2, 6, 2}, {1.5, 14.0000001, 3}});
    EXPECT_TRUE(edge.rows[0].within);
    EXPECT_TRUE(edge.rows[1].within);
    EXPECT_FALSE(edge.rows[2].within);

    // Points outside the sweep are listed, not judged.
    const TSiteComparison outside = CompareSite(flat, {{0.5, 10, 1}, {1.5, 11, 2}, {3, 50, 3}});
    EXPECT_EQ(outside.notCompared, 2);
    EXPECT_TRUE(outside.Passed());
    EXPECT_EQ(FormatComparisonCsv(outside),
              "Frequency (MHz),Measured NSA (dB),Theoretical NSA (dB),Deviation (dB),Result\r\n"
              "0.5,10,,,outside computed range\r\n"
              "1.5,11,10,1,pass\r\n"
              "3,50,,,outside computed range\r\n");
}

TEST(SiteComparison, CommandExitsZeroWithinTheWindowThreeOutsideTwoOnBadFiles)
{
    TempDir dir;
    const TNSAData theory = DefaultCurve();
    const std::string good =
        dir.Write("good.csv", MeasuredFile(theory, {{30, 1}, {455.5, -2}, {1000, 3.5}}));
    const std::string bad = dir.Write("bad.csv", MeasuredFile(theory, {{30, 1}, {455.5, -4.5}}));
    const std::string broken = dir.Write("broken.csv", "f,nsa\n30,1\n31;2\n");
    const std::string beyond = dir.Write("beyond.csv", "2000 30\n3000 31\n");

    CalcRun r = Calc({"--compare", good});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 4);
    EXPECT_NE(r.out.find("\r\n1000,"), std::string::npos);
    EXPECT_NE(r.out.find(",3.5,pass\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("3 of 3 points within"), std::string::npos) << r.err;

    r = Calc({"--compare", bad});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find(",-4.5,FAIL\r\n"), std::string::npos) << r.out;

    r = Calc({"--compare", broken});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("line 3: expected a frequency in MHz and an NSA in dB"), std::string::npos)
        << r.err;

    r = Calc({"--compare", (dir.path / "none.csv").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos);

    r = Calc({"--compare", beyond});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no measured frequency lies within"), std::string::npos) << r.err;

    // The comparison uses the parameters given with it.
    r = Calc({"--sep-dist", "3", "--compare", good});
    EXPECT_EQ(r.status, 3);

    r = Calc({"--compare", good, "-o", (dir.path / "x.csv").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(dir.path / "x.csv"));
}
