#include "nsa/MeasuredNsa.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace nsa
{

namespace
{

constexpr int kErrorsNamed = 10;

enum class Separator { Comma, Semicolon, Blank };

struct Format {
    Separator separator = Separator::Blank;
    bool decimalComma = false;
};

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
    };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A number as written in the file, "." decimals (callers turn "," into "."
// first). Infinities and NaN spelled out are numbers to from_chars, not here.
std::optional<double> ToNumber(std::string_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> Split(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = line.find(separator, start);
        fields.push_back(Trim(line.substr(start, at == std::string_view::npos ? at : at - start)));
        if (at == std::string_view::npos)
            return fields;
        start = at + 1;
    }
}

std::vector<std::string_view> SplitBlanks(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

std::vector<std::string_view> Fields(std::string_view line, Separator separator)
{
    switch (separator) {
    case Separator::Comma:
        return Split(line, ',');
    case Separator::Semicolon:
        return Split(line, ';');
    case Separator::Blank:
        break;
    }
    return SplitBlanks(line);
}

// Whether the line starts with a number, whatever separates its fields.
bool StartsWithNumber(std::string_view line)
{
    const std::size_t end = line.find_first_of(",; \t");
    return ToNumber(line.substr(0, end)).has_value();
}

// Decided from the first data line (and, for the decimal comma, all of them).
Format DetectFormat(std::string_view first, const std::vector<std::string_view>& data)
{
    Format f;
    if (first.find(';') != std::string_view::npos)
        f.separator = Separator::Semicolon;
    else if (first.find(',') != std::string_view::npos) {
        const auto fields = Split(first, ',');
        const bool csv = fields.size() >= 2 && ToNumber(fields[0]) && ToNumber(fields[1]);
        f.separator = csv ? Separator::Comma : Separator::Blank;
    }
    if (f.separator != Separator::Comma)
        for (std::string_view line : data)
            if (line.find(',') != std::string_view::npos)
                f.decimalComma = true;
    return f;
}

std::string Quoted(std::string_view s)
{
    constexpr std::size_t kShown = 40;
    std::string out = "\"" + std::string(s.substr(0, kShown));
    if (s.size() > kShown)
        out += "...";
    return out + "\"";
}

// The point of one data line, or the reason it does not parse.
std::optional<std::string> ParseLine(std::string_view line, const Format& format,
                                     TMeasuredPoint& point)
{
    const auto fields = Fields(line, format.separator);
    if (fields.size() < 2 || fields[1].empty())
        return "expected a frequency in MHz and an NSA in dB";
    double values[2];
    for (int i = 0; i < 2; ++i) {
        // In a decimal-comma file a "." is no decimal point.
        std::string text(fields[i]);
        if (format.decimalComma)
            for (char& c : text)
                c = c == ',' ? '.' : c == '.' ? ',' : c;
        const std::optional<double> v = ToNumber(text);
        if (!v)
            return Quoted(fields[i]) + " is not a number";
        values[i] = *v;
    }
    if (values[0] <= 0)
        return "the frequency must be above 0 MHz";
    point.Freq = values[0];
    point.NSA = values[1];
    return std::nullopt;
}

} // namespace

MeasuredNsaFile ParseMeasuredNsa(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark is no header
        text.remove_prefix(3);

    // Split into lines, numbered from 1, blank ones dropped.
    struct Line {
        std::string_view text;
        int number;
    };
    std::vector<Line> lines;
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++number;
        const std::string_view line = Trim(text.substr(start, end - start));
        if (!line.empty())
            lines.push_back({line, number});
        start = end + 1;
    }

    std::size_t first = 0;
    while (first < lines.size() && !StartsWithNumber(lines[first].text))
        ++first;
    MeasuredNsaFile result;
    if (first == lines.size()) {
        result.error = "no measured points: a line holds a frequency in MHz and an NSA in dB";
        return result;
    }
    std::vector<std::string_view> data;
    for (std::size_t i = first; i < lines.size(); ++i)
        data.push_back(lines[i].text);
    const Format format = DetectFormat(lines[first].text, data);

    int bad = 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        TMeasuredPoint point;
        point.Line = lines[i].number;
        if (const auto why = ParseLine(lines[i].text, format, point)) {
            if (bad < kErrorsNamed) {
                if (!result.error.empty())
                    result.error += "\n";
                result.error += "line " + std::to_string(point.Line) + ": " + *why;
            }
            ++bad;
            continue;
        }
        result.points.push_back(point);
    }
    if (bad > kErrorsNamed)
        result.error +=
            "\nand " + std::to_string(bad - kErrorsNamed) + " more lines that do not parse";
    if (!result.ok())
        result.points.clear();
    return result;
}

MeasuredNsaFile ReadMeasuredNsaFile(const std::string& path)
{
    MeasuredNsaFile result;
    auto fail = [&](const std::string& why) {
        result.error = "'" + path + "': " + why;
        return result;
    };
    // Non-blocking, so that a FIFO does not wait for a writer; checked to be a
    // regular file before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(std::strerror(errno));
    struct stat st {
    };
    std::string text;
    std::string error;
    if (::fstat(fd, &st) != 0)
        error = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        error = "not a regular file";
    else if (st.st_size > kMaxMeasuredFileBytes)
        error = "larger than " + std::to_string(kMaxMeasuredFileBytes / (1024 * 1024)) +
                " MiB, too large for a measured NSA file";
    else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                error = std::strerror(errno);
                break;
            }
            if (n == 0)
                break;
            text.append(buffer, std::size_t(n));
            if (static_cast<long long>(text.size()) > kMaxMeasuredFileBytes) {
                error = "grew beyond the size limit while being read";
                break;
            }
        }
    }
    ::close(fd);
    if (!error.empty())
        return fail(error);
    result = ParseMeasuredNsa(text);
    if (!result.ok())
        result.error = "'" + path + "': " + result.error;
    return result;
}

} // namespace nsa
