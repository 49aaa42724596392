#include "nsa/CsvFile.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <pthread.h>
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

// The kernel's own bound on links followed in one lookup.
constexpr int kMaxLinks = 40;

int WriteAll(int fd, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            done += std::size_t(n);
    }
    return 0;
}

int FillAndSync(int fd, const std::string& bytes, mode_t mode)
{
    if (const int error = WriteAll(fd, bytes))
        return error;
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

mode_t DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A write into a pipe whose reader has gone fails with EPIPE instead of
// ending the program by SIGPIPE; a signal raised meanwhile is taken back.
class SigpipeBlocked
{
  public:
    SigpipeBlocked()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
    }
    ~SigpipeBlocked()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!wasPending_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec none{0, 0};
            sigtimedwait(&pipe_, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

  private:
    sigset_t pipe_, old_;
    bool wasPending_ = false;
};

// Devices, pipes and sockets are written where they are, as a shell
// redirection writes them: renaming a file over them would replace the node.
// A pipe without a reader is refused (ENXIO) rather than waited on.
FileWriteResult WriteInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Failure(errno);
    int error = 0;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        error = errno;
    if (!error) {
        SigpipeBlocked guard;
        error = WriteAll(fd, bytes);
    }
    if (::close(fd) != 0 && !error && errno != EINTR)
        error = errno;
    return error ? Failure(error) : FileWriteResult{};
}

// A link that names nothing yet stands for the file it names, as an open
// with O_CREAT would create it; followed here by hand, since realpath fails
// on it. On return `path` is the name to create.
int FollowDanglingLinks(std::string& path)
{
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::string target(std::size_t(PATH_MAX), '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return errno;
        target.resize(std::size_t(n));
        const std::size_t slash = path.rfind('/');
        path = target.starts_with('/') || slash == std::string::npos
                   ? target
                   : path.substr(0, slash + 1) + target;
    }
    return ELOOP;
}

std::string RandomStem()
{
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string stem = ".veldmark-";
    for (int i = 0; i < 6; ++i)
        stem += kChars[random() % (sizeof kChars - 1)];
    return stem;
}

// The finished unnamed file gets a name only for the moment between link and
// rename, so a run killed while writing leaves nothing behind. False when the
// file system or the missing /proc cannot do it: the named route takes over.
bool ReplaceThroughUnnamedFile(const std::string& dir, const std::string& path,
                               const std::string& bytes, mode_t mode, int& error)
{
    const int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    error = FillAndSync(fd, bytes, mode);
    bool handled = error != 0;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; !handled && attempt < 100; ++attempt) {
        const std::string temp = dir + RandomStem();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno != EEXIST)
                break;
            continue;
        }
        handled = true;
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            error = errno;
            ::unlink(temp.c_str());
        }
    }
    ::close(fd);
    return handled;
}

FileWriteResult ReplaceThroughNamedFile(const std::string& dir, const std::string& path,
                                        const std::string& bytes, mode_t mode)
{
    // A fixed short stem: one built from the target's name could pass the
    // file system's 255-byte limit for names that are themselves allowed.
    std::string temp = dir + ".veldmark-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Failure(errno);
    int error = FillAndSync(fd, bytes, mode);
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

FileWriteResult ReplaceFile(const std::string& path, const std::string& bytes, mode_t mode)
{
    const std::size_t slash = path.rfind('/');
    const std::string dir =
        slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    if (slash + 1 == path.size())
        return Failure(EISDIR);
    int error = 0;
    if (ReplaceThroughUnnamedFile(dir, path, bytes, mode, error))
        return error ? Failure(error) : FileWriteResult{};
    return ReplaceThroughNamedFile(dir, path, bytes, mode);
}

} // namespace

FileWriteResult WriteFileReplacing(const std::string& requested, const std::string& bytes)
{
    if (requested.empty())
        return Failure(ENOENT);
    struct stat st;
    if (::stat(requested.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return Failure(errno); // a link loop among them: nothing is touched
        std::string path = requested;
        if (const int error = FollowDanglingLinks(path))
            return Failure(error);
        return ReplaceFile(path, bytes, DefaultFileMode());
    }
    if (!S_ISREG(st.st_mode))
        return WriteInPlace(requested, bytes);

    // Writing through a link replaces the file it names, not the link.
    std::string path = requested;
    if (char* resolved = ::realpath(requested.c_str(), nullptr)) {
        path = resolved;
        std::free(resolved);
    }
    // A file the user may not write stays as it is, as an open for writing
    // would leave it; the rename would not ask.
    if (::access(path.c_str(), W_OK) != 0)
        return Failure(errno);
    return ReplaceFile(path, bytes, st.st_mode & 07777);
}

FileWriteResult WriteCsvFile(const std::string& path, const LastCalculation& last)
{
    return WriteFileReplacing(path, FormatCsv(last));
}

} // namespace nsa
