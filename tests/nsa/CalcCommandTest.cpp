#include "nsa/CalcCommand.h"

#include "CalcRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace nsa;
namespace fs = std::filesystem;

TEST(CalcCommand, DefaultsWriteTheSettingsFileCurveToStandardOutput)
{
    const CalcRun r = Calc({});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(r.out.rfind("User Defined NSA\r\nTransmit Height:,,1\r\nSeparation Distance:,,10\r\n", 0), 0u);
    EXPECT_NE(r.out.find("# Freq. Pts.:,,971\r\nPolarization:,,Horizontal\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n30,29.7587,-10.3811,4\r\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 12 + 971);
}

TEST(CalcCommand, ShowDefaultWritesThePairedLayout)
{
    const CalcRun r = Calc({"--sep-dist", "3", "--upper-limit", "2", "--scan-step", "0.5",
                        "--num-points", "2", "--polarization", "vertical", "--show-default",
                        "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("User Defined NSA,,,,ANSI C63.4/5 Default NSA\r\n", 0), 0u);
    EXPECT_NE(r.out.find("Upper Limit:,,2,,Upper Limit:,,4\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("Polarization:,,Vertical,,Polarization:,,Vertical\r\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 12 + 2);
}

TEST(CalcCommand, InvalidParametersGiveTheFormsMessageAndStatusTwo)
{
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--trans-height", "0"}, "Invalid transmit height."},
        {{"--trans-height", "1,5"}, "Invalid transmit height."},
        {{"--lower-limit", "5", "--upper-limit", "-1"}, "Invalid upper limit (must be greater than lower limit)."},
        {{"--scan-step", "4"}, "Invalid scan step (must be between zero and receive height span)."},
        {{"--start-freq", "40000"}, "Invalid stop frequency (must be between start and 40 GHz)."},
        {{"--num-points", "2.5"}, "Invalid number of frequency points (must be between 2 and 2001)."},
    };
    for (const Case& c : cases) {
        const CalcRun r = Calc(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "veldmark-calc: " + c.message + "\n");
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CalcCommand, UsageErrorsAndHelp)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--frequency", "3"}, {"--sep-dist"}, {"--polarization", "Vertical"}}) {
        const CalcRun r = Calc(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: veldmark-calc"), std::string::npos);
    }
    const CalcRun help = Calc({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--trans-height", "--sep-dist", "--upper-limit", "--lower-limit",
                               "--scan-step", "--start-freq", "--stop-freq", "--num-points",
                               "--polarization", "--show-default", "-o", "Exit status"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST(CalcCommand, WritesAFileOrSaysWhyNot)
{
    const fs::path dir = fs::temp_directory_path() / ("veldmark-calc-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "out.csv";
    std::ofstream(file) << "old contents";

    const CalcRun ok = Calc({"--num-points", "3", "-o", file.string()});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_TRUE(ok.out.empty());
    EXPECT_EQ(fs::file_size(file) > 100, true);

    const CalcRun bad = Calc({"-o", (dir / "missing" / "out.csv").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot write"), std::string::npos);
    EXPECT_NE(bad.err.find("No such file or directory"), std::string::npos);
    fs::remove_all(dir);
}

TEST(CalcCommand, AnEmptyFileNameOrAFailingStandardOutputIsReported)
{
    const CalcRun empty = Calc({"-o", ""});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("missing a file name"), std::string::npos) << empty.err;

    std::ostringstream err;
    std::ostream broken(nullptr); // every write fails, as on a full disk
    EXPECT_EQ(RunCalcCommand({"--num-points", "2"}, broken, err), 1);
    EXPECT_EQ(err.str().rfind("veldmark-calc: cannot write to standard output", 0), 0u)
        << err.str();
}
