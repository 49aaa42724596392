#include "shell/utils/ShellLinks.h"

#include "platform/FileNameCodec.h"
#include "shell/utils/ShellServices.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t ERROR_BAD_FORMAT = 11;
constexpr qint64 kMaxLinkFileSize = 1 << 20; // a link entry is a few lines

const QByteArray kGroup = "[Desktop Entry]";

// Desktop-entry escapes: \s \n \t \r \\ (and a leading blank as \s).
QByteArray Escape(const QString& value)
{
    QByteArray out;
    const QByteArray bytes = value.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case ' ': out += i == 0 ? QByteArray("\\s") : QByteArray(" "); break;
        default: out += c;
        }
    }
    return out;
}

QString Unescape(const QByteArray& value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default: out += value[i];
        }
    }
    return QString::fromUtf8(out);
}

// file:// URL of a path in the lossless form, every byte of the name kept.
QByteArray FileUrl(const QString& path)
{
    return "file://" + FileNameFromString(path).toPercentEncoding("/");
}

std::optional<QString> PathOfUrl(const QByteArray& url)
{
    if (!url.startsWith("file://"))
        return std::nullopt;
    QByteArray rest = url.mid(7);
    if (!rest.startsWith('/')) { // file://host/path: only the local host is ours
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0 || (rest.left(slash) != "localhost"))
            return std::nullopt;
        rest = rest.mid(slash);
    }
    return FileNameToString(QByteArray::fromPercentEncoding(rest));
}

// The keys of the [Desktop Entry] group; empty when the group is missing.
std::optional<QMap<QByteArray, QByteArray>> ReadEntry(const QByteArray& content)
{
    QMap<QByteArray, QByteArray> keys;
    bool inGroup = false, seenGroup = false;
    for (const QByteArray& raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inGroup = line == kGroup;
            seenGroup = seenGroup || inGroup;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inGroup && eq > 0 && !keys.contains(line.left(eq).trimmed()))
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    if (!seenGroup)
        return std::nullopt;
    return keys;
}

} // namespace

HRESULT CreateShortcut(const QString& linkFileName, const TLinkData& data)
{
    QByteArray text = kGroup + "\nType=Link\n";
    text += "Name=" + Escape(QFileInfo(linkFileName).completeBaseName()) + "\n";
    text += "URL=" + FileUrl(data.Path) + "\n";
    auto use = [&](TLinkDataOption o) { return (data.Options & LinkOption(o)) != 0; };
    if (use(ldoUseDesc))
        text += "Comment=" + Escape(data.Description) + "\n";
    if (use(ldoUseArgs))
        text += "X-Veldmark-Arguments=" + Escape(data.Arguments) + "\n";
    if (use(ldoUseIcon)) {
        text += "Icon=" + Escape(data.IconLocation) + "\n";
        text += "X-Veldmark-IconIndex=" + QByteArray::number(data.IconIndex) + "\n";
    }
    if (use(ldoUseWorkDir))
        text += "Path=" + Escape(data.WorkingDirectory) + "\n";
    if (use(ldoUseHotKey))
        text += "X-Veldmark-HotKey=" + QByteArray::number(data.HotKey) + "\n";
    if (use(ldoUseShowCmd))
        text += "X-Veldmark-ShowCmd=" + QByteArray::number(data.ShowCmd) + "\n";

    // QSaveFile takes names as QStrings: a name that is not UTF-8 would be
    // written under another name, and reported as done.
    if (QFile::encodeName(linkFileName) != FileNameFromString(linkFileName))
        return HResultFromWin32(ERROR_INVALID_NAME);
    QSaveFile file(linkFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return HResultFromWin32(file.error() == QFileDevice::OpenError ? ERROR_PATH_NOT_FOUND
                                                                       : ERROR_HANDLE_DISK_FULL);
    return S_OK;
}

HRESULT CreateQuickShortcut(const QString& linkFileName, const QString& target)
{
    TLinkData data;
    data.Path = target;
    data.Description = target;
    data.WorkingDirectory = QFileInfo(target).path();
    data.Options = LinkOption(ldoUseDesc) | LinkOption(ldoUseWorkDir);
    return CreateShortcut(linkFileName, data);
}

HRESULT ResolveShortcut(const QString& linkFileName, TLinkData& data, bool wantIdList)
{
    // Opened by its bytes (the name need not be UTF-8) and without blocking,
    // so a FIFO named like a link cannot stall the caller; only regular files
    // are links.
    const int fd = ::open(FileNameFromString(linkFileName).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return HResultFromWin32(errno == ENOENT || errno == ENOTDIR ? ERROR_FILE_NOT_FOUND
                                                                    : ERROR_ACCESS_DENIED);
    QFile file;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return HResultFromWin32(ERROR_BAD_FORMAT);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return HResultFromWin32(ERROR_ACCESS_DENIED);
    }
    if (file.size() > kMaxLinkFileSize)
        return HResultFromWin32(ERROR_BAD_FORMAT);
    const std::optional<QMap<QByteArray, QByteArray>> entry = ReadEntry(file.read(kMaxLinkFileSize));
    if (!entry || entry->value("Type") != "Link")
        return HResultFromWin32(ERROR_BAD_FORMAT);
    const std::optional<QString> path = PathOfUrl(entry->value("URL"));
    if (!path || path->isEmpty())
        return HResultFromWin32(ERROR_BAD_FORMAT);

    data.Path = *path;
    if (!FindDataOfPath(data.Path, data.FindData)) {
        data.FindData = TWin32FindData();
        data.FindData.FileName = QFileInfo(data.Path).fileName();
    }
    data.Arguments = Unescape(entry->value("X-Veldmark-Arguments"));
    data.Description = Unescape(entry->value("Comment"));
    data.IconLocation = Unescape(entry->value("Icon"));
    data.IconIndex = entry->value("X-Veldmark-IconIndex").toInt();
    data.WorkingDirectory = Unescape(entry->value("Path"));
    data.ShowCmd = entry->value("X-Veldmark-ShowCmd").toInt();
    data.HotKey = std::uint16_t(entry->value("X-Veldmark-HotKey").toUInt());
    data.Options = kAllLinkOptions;
    data.IdList = nullptr;
    if (wantIdList)
        return ShellGetIdListFromPath(data.Path, &data.IdList);
    return S_OK;
}
