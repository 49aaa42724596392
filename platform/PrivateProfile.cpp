#include "platform/PrivateProfile.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <optional>

namespace platform
{

namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray Trimmed(QByteArrayView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toByteArray();
}

bool SameName(const QByteArray& bytes, const QString& name)
{
    return QString::fromUtf8(bytes).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// One line of the file without its line end; end is where the next line starts.
struct Line {
    qsizetype begin, contentEnd, end;
};

QList<Line> SplitLines(const QByteArray& text)
{
    QList<Line> lines;
    // Editors may start the file with a UTF-8 byte-order mark; it belongs to no
    // line, so the first section header is still found, and it stays in place.
    const qsizetype start = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype pos = start; pos < text.size();) {
        qsizetype newline = text.indexOf('\n', pos);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        qsizetype contentEnd = newline < 0 ? text.size() : newline;
        if (contentEnd > pos && text[contentEnd - 1] == '\r')
            --contentEnd;
        lines.append({pos, contentEnd, end});
        pos = end;
    }
    return lines;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArray name, value;
};

ParsedLine Parse(QByteArrayView content)
{
    ParsedLine parsed;
    const QByteArray line = Trimmed(content);
    if (line.isEmpty() || line[0] == ';' || line[0] == '#')
        return parsed;
    if (line[0] == '[') {
        const qsizetype close = line.indexOf(']');
        parsed.kind = LineKind::Section;
        parsed.name =
            Trimmed(QByteArrayView(line).sliced(1, (close < 0 ? line.size() : close) - 1));
        return parsed;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = Trimmed(QByteArrayView(line).first(equals));
    parsed.value = Trimmed(QByteArrayView(line).sliced(equals + 1));
    const qsizetype n = parsed.value.size();
    if (n >= 2 && (parsed.value[0] == '"' || parsed.value[0] == '\'') &&
        parsed.value[n - 1] == parsed.value[0])
        parsed.value = parsed.value.mid(1, n - 2);
    return parsed;
}

constexpr qint64 kLargestProfile = kMaxProfileFileSize + kProfileHeadroom;

// The whole file, an empty one when it does not exist, nothing when it
// cannot be read or is too large to be a settings file.
std::optional<QByteArray> ReadProfile(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return QByteArray();
    // A folder, a pipe or a device is no settings file; opening or reading a
    // pipe would wait for a writer that may never come.
    if (!info.isFile())
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestProfile)
        return std::nullopt;
    QByteArray text = file.read(kLargestProfile + 1);
    if (text.size() > kLargestProfile || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return text;
}

// Where the section's header and its key lines are.
struct Located {
    qsizetype section = -1;   // index of the header line
    qsizetype key = -1;       // index of the key line
    qsizetype lastEntry = -1; // last non-blank line of the section
};

Located Locate(const QByteArray& text, const QList<Line>& lines, const QString& section,
               const QString& key)
{
    Located found;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView content =
            QByteArrayView(text).sliced(lines[i].begin, lines[i].contentEnd - lines[i].begin);
        const ParsedLine parsed = Parse(content);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = SameName(parsed.name, section);
            if (inSection)
                found.section = found.lastEntry = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!Trimmed(content).isEmpty())
            found.lastEntry = i;
        if (parsed.kind == LineKind::Key && found.key < 0 && SameName(parsed.name, key))
            found.key = i;
    }
    return found;
}

QByteArray OneLine(const QString& text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat.toUtf8();
}

} // namespace

std::size_t GetPrivateProfileString(const QString& section, const QString& key,
                                    const QString& defaultValue, char* buffer, std::size_t size,
                                    const QString& fileName)
{
    if (!buffer || size == 0)
        return 0;
    QByteArray value = defaultValue.toUtf8();
    if (const std::optional<QByteArray> text = ReadProfile(fileName)) {
        const QList<Line> lines = SplitLines(*text);
        const Located found = Locate(*text, lines, section, key);
        if (found.key >= 0) {
            const Line& line = lines[found.key];
            value =
                Parse(QByteArrayView(*text).sliced(line.begin, line.contentEnd - line.begin)).value;
        }
    }
    std::size_t n = std::min<std::size_t>(std::size_t(value.size()), size - 1);
    // Never end inside a multi-byte character.
    if (n < std::size_t(value.size()))
        while (n > 0 && (static_cast<unsigned char>(value[qsizetype(n)]) & 0xC0) == 0x80)
            --n;
    std::memcpy(buffer, value.constData(), n);
    buffer[n] = '\0';
    return n;
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName)
{
    const std::optional<QByteArray> read = ReadProfile(fileName);
    if (!read)
        return false; // rewriting what we could not read would lose it
    QByteArray text = *read;
    const QList<Line> lines = SplitLines(text);
    // New lines end the way the file's first line does.
    const qsizetype firstNewline = text.indexOf('\n');
    const QByteArray eol =
        firstNewline > 0 && text[firstNewline - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");
    const QByteArray entry = OneLine(key.trimmed()) + '=' + OneLine(value);

    const Located found = Locate(text, lines, section, key);
    if (found.key >= 0) {
        const Line& line = lines[found.key];
        text.replace(line.begin, line.contentEnd - line.begin, entry);
    } else if (found.section >= 0) {
        const Line& after = lines[found.lastEntry];
        const bool ended = after.end > after.contentEnd;
        text.insert(after.end, (ended ? QByteArray() : eol) + entry + eol);
    } else {
        if (!text.isEmpty() && !text.endsWith('\n'))
            text += eol;
        if (!text.isEmpty() && !lines.isEmpty() &&
            !Trimmed(QByteArrayView(text).sliced(lines.last().begin,
                                                 lines.last().contentEnd - lines.last().begin))
                 .isEmpty())
            text += eol; // a blank line between sections
        text += '[' + OneLine(section.trimmed()) + ']' + eol + entry + eol;
    }

    if (text.size() > kLargestProfile)
        return false; // it could never be read back
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
