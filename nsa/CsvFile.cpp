#include "nsa/CsvFile.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nsa {

namespace {

// "%g" of the C locale, whatever locale the process runs under.
std::string G(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

const char* Polarization(const TNSAData& d) { return d.Vertical ? "Vertical" : "Horizontal"; }

class CsvText {
public:
    CsvText& operator<<(const std::string& s)
    {
        text += s;
        return *this;
    }
    void EndLine() { text += "\r\n"; }
    std::string text;
};

void ParameterLine(CsvText& out, const char* label, const std::string& user,
                   const std::string* ansi)
{
    out << label << ",," << user;
    if (ansi)
        out << ",," << label << ",," << *ansi;
    out.EndLine();
}

} // namespace

std::string FormatCsv(const LastCalculation& last)
{
    CsvText out;
    if (!last)
        return {};
    const TNSAData& u = *last.user;
    const TNSAData* a = last.ansi;

    out << (a ? "User Defined NSA,,,,ANSI C63.4/5 Default NSA" : "User Defined NSA");
    out.EndLine();
    auto param = [&](const char* label, auto field) {
        const std::string ansiValue = a ? field(*a) : std::string();
        ParameterLine(out, label, field(u), a ? &ansiValue : nullptr);
    };
    param("Transmit Height:", [](const TNSAData& d) { return G(d.TransHeight); });
    param("Separation Distance:", [](const TNSAData& d) { return G(d.SepDist); });
    param("Upper Limit:", [](const TNSAData& d) { return G(d.UpperLimit); });
    param("Lower Limit:", [](const TNSAData& d) { return G(d.LowerLimit); });
    param("Scan Step Size:", [](const TNSAData& d) { return G(d.ScanStep); });
    param("Start Frequency:", [](const TNSAData& d) { return G(d.StartFreq); });
    param("Stop Frequency:", [](const TNSAData& d) { return G(d.StopFreq); });
    param("# Freq. Pts.:", [](const TNSAData& d) { return std::to_string(d.NumPoints); });
    param("Polarization:", [](const TNSAData& d) { return std::string(Polarization(d)); });
    out.EndLine();
    out << (a ? "Frequency,NSA,EdMax,Height,ANSI NSA,ANSI EdMax,ANSI Height"
              : "Frequency,NSA,EdMax,Height");
    out.EndLine();
    for (int i = 0; i < u.NumPoints; ++i) {
        out << G(u.Freq[i]) << "," << G(u.NSA[i]) << "," << G(u.EdMax[i]) << "," << G(u.Height[i]);
        if (a)
            out << "," << G(a->NSA[i]) << "," << G(a->EdMax[i]) << "," << G(a->Height[i]);
        out.EndLine();
    }
    return out.text;
}

namespace {

FileWriteResult Failure(int error)
{
    return {false, std::strerror(error)};
}

mode_t NewFileMode(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileWriteResult WriteFileReplacing(const std::string& requested, const std::string& bytes)
{
    // Writing through a link replaces the file it names, not the link.
    std::string path = requested;
    if (char* resolved = ::realpath(requested.c_str(), nullptr)) {
        path = resolved;
        std::free(resolved);
    }
    // A file the user may not write stays as it is, as an open for writing
    // would leave it; the rename below would not ask.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return Failure(errno);
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return Failure(EISDIR);
    // A fixed short stem: one built from the target's name could pass the
    // file system's 255-byte limit for names that are themselves allowed.
    std::string temp = dir + (slash == std::string::npos ? "/" : "") + ".veldmark-XXXXXX";

    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Failure(errno);
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && !error;) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n > 0)
            done += std::size_t(n);
    }
    if (!error && ::fchmod(fd, NewFileMode(path)) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return Failure(error);
    }
    return {};
}

FileWriteResult WriteCsvFile(const std::string& path, const LastCalculation& last)
{
    return WriteFileReplacing(path, FormatCsv(last));
}

} // namespace nsa
