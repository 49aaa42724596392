#include "nsa/CsvFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace nsa;
namespace fs = std::filesystem;

namespace {

TNSAData SmallCurve(bool ansi)
{
    TNSAData d;
    d.AnsiDefault = ansi;
    d.TransHeight = 1;
    d.SepDist = 3;
    d.UpperLimit = ansi ? 4 : 2.5;
    d.LowerLimit = 1;
    d.ScanStep = ansi ? 0 : 0.0005;
    d.StartFreq = 30;
    d.StopFreq = 1000;
    d.NumPoints = 2;
    d.Vertical = true;
    d.Freq = {30, 1000};
    d.NSA = {2.0 / 3.0, 12345678};
    d.EdMax = {-1.5, 0.0001234567};
    d.Height = {4, 1.27};
    return d;
}

const char* kSingle = "User Defined NSA\r\n"
                      "Transmit Height:,,1\r\n"
                      "Separation Distance:,,3\r\n"
                      "Upper Limit:,,2.5\r\n"
                      "Lower Limit:,,1\r\n"
                      "Scan Step Size:,,0.0005\r\n"
                      "Start Frequency:,,30\r\n"
                      "Stop Frequency:,,1000\r\n"
                      "# Freq. Pts.:,,2\r\n"
                      "Polarization:,,Vertical\r\n"
                      "\r\n"
                      "Frequency,NSA,EdMax,Height\r\n"
                      "30,0.666667,-1.5,4\r\n"
                      "1000,1.23457e+07,0.000123457,1.27\r\n";

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("veldmark-csv-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

} // namespace

TEST(FormatCsv, SingleLayoutExactBytes)
{
    const std::vector<TNSAData> list{SmallCurve(false)};
    EXPECT_EQ(FormatCsv(FindLastCalculation(list)), kSingle);
}

TEST(FormatCsv, PairedLayoutExactBytes)
{
    const std::vector<TNSAData> list{SmallCurve(false), SmallCurve(true)};
    const std::string text = FormatCsv(FindLastCalculation(list));
    EXPECT_EQ(text, "User Defined NSA,,,,ANSI C63.4/5 Default NSA\r\n"
                    "Transmit Height:,,1,,Transmit Height:,,1\r\n"
                    "Separation Distance:,,3,,Separation Distance:,,3\r\n"
                    "Upper Limit:,,2.5,,Upper Limit:,,4\r\n"
                    "Lower Limit:,,1,,Lower Limit:,,1\r\n"
                    "Scan Step Size:,,0.0005,,Scan Step Size:,,0\r\n"
                    "Start Frequency:,,30,,Start Frequency:,,30\r\n"
                    "Stop Frequency:,,1000,,Stop Frequency:,,1000\r\n"
                    "# Freq. Pts.:,,2,,# Freq. Pts.:,,2\r\n"
                    "Polarization:,,Vertical,,Polarization:,,Vertical\r\n"
                    "\r\n"
                    "Frequency,NSA,EdMax,Height,ANSI NSA,ANSI EdMax,ANSI Height\r\n"
                    "30,0.666667,-1.5,4,0.666667,-1.5,4\r\n"
                    "1000,1.23457e+07,0.000123457,1.27,1.23457e+07,0.000123457,1.27\r\n");
}

TEST(FormatCsv, LineCountIsTwelvePlusPoints)
{
    TNSAData d = SmallCurve(false);
    d.NumPoints = 50;
    for (auto* v : {&d.Freq, &d.NSA, &d.EdMax, &d.Height})
        v->assign(50, 1.0);
    const std::string text = FormatCsv(FindLastCalculation({d}));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12 + 50);
}

TEST(FormatCsv, UsesADotUnderADecimalCommaLocale)
{
    // Build a German locale into a private folder: the machine may have none.
    TempDir dir;
    const std::string command =
        "localedef -i de_DE -f UTF-8 " + (dir.path / "de_DE.utf8").string() + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "localedef cannot build de_DE here";
    ::setenv("LOCPATH", dir.path.c_str(), 1);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE locale not loadable";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 0.5);
    EXPECT_STREQ(probe, "0,5"); // the locale is really in force
    const std::string text = FormatCsv(FindLastCalculation({SmallCurve(false)}));
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
    EXPECT_EQ(text, kSingle);
}

TEST(WriteCsvFile, ReplacesAnExistingFileWholly)
{
    TempDir dir;
    const fs::path file = dir.path / "1 10 1 4 0 30 1000 971 H.csv";
    std::ofstream(file) << std::string(100000, 'x');
    const FileWriteResult r = WriteCsvFile(file.string(), FindLastCalculation({SmallCurve(false)}));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(ReadAll(file), kSingle);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(WriteCsvFile, AFailedWriteKeepsWhatWasThereAndLeavesNoLitter)
{
    TempDir dir;
    // A folder in the target's place cannot be replaced by a file.
    const fs::path target = dir.path / "taken";
    fs::create_directories(target / "inside");
    const FileWriteResult r = WriteCsvFile(target.string(), FindLastCalculation({SmallCurve(false)}));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

    const FileWriteResult missing =
        WriteFileReplacing((dir.path / "no-such-folder" / "x.csv").string(), "data");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");
}

TEST(WriteCsvFile, WritesThroughALinkAndKeepsTheLink)
{
    TempDir dir;
    const fs::path real = dir.path / "real.csv";
    std::ofstream(real) << "old";
    const fs::path link = dir.path / "link.csv";
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteCsvFile(link.string(), FindLastCalculation({SmallCurve(false)})).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), kSingle);
}

TEST(WriteCsvFile, AFileTheUserMayNotWriteIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TempDir dir;
    const fs::path file = dir.path / "locked.csv";
    std::ofstream(file) << "keep me";
    fs::permissions(file, fs::perms::owner_read);
    const FileWriteResult r = WriteCsvFile(file.string(), FindLastCalculation({SmallCurve(false)}));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Permission denied");
    EXPECT_EQ(ReadAll(file), "keep me");
}
