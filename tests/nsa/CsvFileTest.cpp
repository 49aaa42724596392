#include "nsa/CsvFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace
{

bool IsKind(const fs::path& p, mode_t kind)
{
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}

std::size_t Entries(const fs::path& dir)
{
    return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(WriteFileReplacing, PipesAndDevicesAreWrittenInPlaceNeverReplaced)
{
    TempDir dir;
    const fs::path fifo = dir.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Without a reader the write is refused at once instead of waiting.
    const FileWriteResult alone = WriteFileReplacing(fifo.string(), "data");
    EXPECT_FALSE(alone.ok);
    EXPECT_EQ(alone.error, "No such device or address");
    EXPECT_TRUE(IsKind(fifo, S_IFIFO));

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const FileWriteResult piped = WriteFileReplacing(fifo.string(), "through the pipe");
    EXPECT_TRUE(piped.ok) << piped.error;
    char got[64] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 16);
    EXPECT_STREQ(got, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(IsKind(fifo, S_IFIFO));

    // A socket cannot be opened as a file: refused, and still a socket.
    const fs::path socketPath = dir.path / "socket";
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_FALSE(WriteFileReplacing(socketPath.string(), "data").ok);
    EXPECT_TRUE(IsKind(socketPath, S_IFSOCK));
    ::close(s);
    EXPECT_EQ(Entries(dir.path), 2u);
}

TEST(WriteFileReplacing, DeviceNodesOfOurOwnKeepTheirKind)
{
    TempDir dir;
    const fs::path null = dir.path / "null", full = dir.path / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes need privileges here";
    // Through a link, as /dev/stdout is one: the node is written, both stay.
    const fs::path link = dir.path / "null-link";
    fs::create_symlink(null, link);
    EXPECT_TRUE(WriteFileReplacing(link.string(), "data").ok);
    EXPECT_TRUE(IsKind(link, S_IFLNK));
    const FileWriteResult onFull = WriteFileReplacing(full.string(), "data");
    EXPECT_FALSE(onFull.ok);
    EXPECT_EQ(onFull.error, "No space left on device");
    EXPECT_TRUE(IsKind(null, S_IFCHR));
    EXPECT_TRUE(IsKind(full, S_IFCHR));
    EXPECT_EQ(Entries(dir.path), 3u);
}

TEST(WriteFileReplacing, DanglingLinksCreateTheirFileAndLoopsAreRefused)
{
    TempDir dir;
    const fs::path absolute = dir.path / "absolute", relative = dir.path / "relative";
    fs::create_symlink(dir.path / "made-1.csv", absolute);
    fs::create_symlink("chained", relative);
    fs::create_symlink("made-2.csv", dir.path / "chained");
    ASSERT_TRUE(WriteFileReplacing(absolute.string(), "one").ok);
    ASSERT_TRUE(WriteFileReplacing(relative.string(), "two").ok);
    EXPECT_TRUE(IsKind(absolute, S_IFLNK));
    EXPECT_TRUE(IsKind(relative, S_IFLNK));
    EXPECT_EQ(ReadAll(dir.path / "made-1.csv"), "one");
    EXPECT_EQ(ReadAll(dir.path / "made-2.csv"), "two");

    const fs::path a = dir.path / "loop-a", b = dir.path / "loop-b";
    fs::create_symlink("loop-b", a);
    fs::create_symlink("loop-a", b);
    const FileWriteResult loop = WriteFileReplacing(a.string(), "data");
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.error, "Too many levels of symbolic links");
    EXPECT_TRUE(IsKind(a, S_IFLNK));
    EXPECT_TRUE(IsKind(b, S_IFLNK));
    EXPECT_EQ(Entries(dir.path), 7u);

    EXPECT_EQ(WriteFileReplacing("", "data").error, "No such file or directory");
}

TEST(WriteFileReplacing, ARunKilledWhileWritingLeavesNoTemporaryFile)
{
    TempDir dir;
    const fs::path target = dir.path / "out.csv";
    std::ofstream(target) << "old";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file-size limit kills the writer with SIGXFSZ in the middle of
        // its write, as a kill between write and rename would.
        const rlimit noCore{0, 0}, small{4096, 4096};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        WriteFileReplacing(target.string(), std::string(100000, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(Entries(dir.path), 1u) << "a temporary file was left beside the target";
}
