#include "shell/menus/DesktopApplications.h"

#include "platform/DetachedProcess.h"
#include "platform/ErrnoMapping.h"
#include "platform/FileNameCodec.h"
#include "platform/ReadRegularFile.h"
#include "shell/menus/UrlOpener.h"
#include "shell/namespace/XdgDirs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>
#include <map>

namespace
{

constexpr qint64 kMaxEntryBytes = 64 * 1024;
constexpr std::uint32_t kErrorBadFormat = 11; // the platform's "bad format" error

// Key-file values: \s \n \t \r \\ are escapes; lists end items with ';'.
QString unescapeValue(const QByteArray& raw)
{
    const QString value = QString::fromUtf8(raw);
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        out += next == QLatin1Char('s')   ? QStringLiteral(" ")
               : next == QLatin1Char('n') ? QStringLiteral("\n")
               : next == QLatin1Char('t') ? QStringLiteral("\t")
               : next == QLatin1Char('r') ? QStringLiteral("\r")
                                          : QString(next);
    }
    return out;
}

QStringList listValue(const QString& value)
{
    QStringList items = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& item : items)
        item = item.trimmed();
    items.removeAll(QString());
    return items;
}

// The keys of one group of a key file ("Desktop Entry", "Default Applications").
std::map<QString, QString> readGroup(const QString& path, const QByteArray& group)
{
    std::map<QString, QString> keys;
    // Regular files only (a FIFO of that name would wait for a writer), and
    // none larger than an entry can sensibly be.
    const std::optional<QByteArray> content =
        ReadRegularFile(FileNameFromString(path), kMaxEntryBytes + 1);
    if (!content || content->size() > kMaxEntryBytes)
        return keys;
    bool inGroup = false;
    for (const QByteArray& rawLine : content->split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inGroup = line == '[' + group + ']';
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inGroup || eq <= 0)
            continue;
        const QString key = QString::fromUtf8(line.left(eq).trimmed());
        if (!keys.count(key)) // the first of a key counts
            keys[key] = unescapeValue(line.mid(eq + 1).trimmed());
    }
    return keys;
}

QStringList dataDirs()
{
    QStringList dirs{QFile::decodeName(XdgDirs::DataHome())};
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share/:/usr/share/");
    for (const QString& dir : system.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (dir.startsWith(QLatin1Char('/')))
            dirs << dir;
    return dirs;
}

struct Entry {
    TDesktopApplication app;
    QStringList mimeTypes;
    bool usable = false;
};

Entry entryOfFile(const QString& path, const QString& id)
{
    const std::map<QString, QString> keys = readGroup(path, "Desktop Entry");
    const auto value = [&](const char* key) {
        const auto found = keys.find(QString::fromLatin1(key));
        return found == keys.end() ? QString() : found->second;
    };
    Entry entry;
    entry.app = {id, value("Name"), value("Exec"), value("Icon"), QFile::encodeName(path)};
    entry.mimeTypes = listValue(value("MimeType"));
    entry.usable = value("Type") == QLatin1String("Application") &&
                   value("Hidden") != QLatin1String("true") &&
                   value("Terminal") != QLatin1String("true") && !entry.app.exec.isEmpty() &&
                   !entry.app.name.isEmpty();
    return entry;
}

// Every entry by ID; the first folder holding an ID wins, even when that
// entry is hidden (which is how a user removes a system entry).
std::map<QString, Entry> allEntries()
{
    std::map<QString, Entry> entries;
    for (const QString& data : dataDirs()) {
        const QString root = data + QStringLiteral("/applications");
        QDirIterator it(root, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = QDir(root).relativeFilePath(path);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (entries.count(id))
                continue;
            entries[id] = entryOfFile(path, id);
        }
    }
    return entries;
}

struct Associations {
    QStringList defaults;
    QStringList added;
    QStringList removed;
};

Associations associationsFor(const QStringList& types)
{
    QStringList files{QFile::decodeName(XdgDirs::ConfigHome()) + QStringLiteral("/mimeapps.list")};
    QString configDirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (configDirs.isEmpty())
        configDirs = QStringLiteral("/etc/xdg");
    for (const QString& dir : configDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << dir + QStringLiteral("/mimeapps.list");
    for (const QString& data : dataDirs())
        files << data + QStringLiteral("/applications/mimeapps.list");
    Associations result;
    for (const QString& file : files) {
        const auto defaults = readGroup(file, "Default Applications");
        const auto added = readGroup(file, "Added Associations");
        const auto removed = readGroup(file, "Removed Associations");
        for (const QString& type : types) {
            if (const auto it = defaults.find(type); it != defaults.end())
                result.defaults << listValue(it->second);
            if (const auto it = added.find(type); it != added.end())
                result.added << listValue(it->second);
            if (const auto it = removed.find(type); it != removed.end())
                result.removed << listValue(it->second);
        }
    }
    return result;
}

QByteArray fileUrlBytes(const QByteArray& path)
{
    return FileUrlOfPath(path).toEncoded();
}

} // namespace

QList<TDesktopApplication> ApplicationsForMimeType(const QString& mimeType)
{
    QStringList types{mimeType};
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    if (type.isValid()) {
        types << type.name() << type.aliases() << type.allAncestors();
        types.removeDuplicates();
    }
    const std::map<QString, Entry> entries = allEntries();
    const Associations associations = associationsFor(types);
    QList<TDesktopApplication> result;
    QStringList taken = associations.removed;
    const auto take = [&](const QString& id) {
        const auto found = entries.find(id);
        if (taken.contains(id) || found == entries.end() || !found->second.usable)
            return;
        taken << id;
        result << found->second.app;
    };
    for (const QString& id : associations.defaults)
        take(id);
    for (const QString& id : associations.added)
        take(id);
    QList<TDesktopApplication> declaring;
    for (const auto& [id, entry] : entries)
        for (const QString& t : types)
            if (entry.mimeTypes.contains(t)) {
                declaring << entry.app;
                break;
            }
    std::sort(declaring.begin(), declaring.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    for (const TDesktopApplication& app : declaring)
        take(app.id);
    return result;
}

std::optional<TDesktopApplication> DesktopApplicationOfFile(const QString& path)
{
    const Entry entry = entryOfFile(path, QFileInfo(path).fileName());
    if (!entry.usable)
        return std::nullopt;
    return entry.app;
}

QList<QByteArray> ExecCommandLine(const TDesktopApplication& app, const QList<QByteArray>& paths)
{
    // Split into arguments: blanks separate, double quotes group, and inside
    // quotes a backslash escapes " ` $ and itself. Field codes are only
    // expanded outside quotes.
    struct Word {
        QString text;
        bool quoted = false;
    };
    QList<Word> words;
    const QString& exec = app.exec;
    for (qsizetype i = 0; i < exec.size();) {
        if (exec[i] == QLatin1Char(' ') || exec[i] == QLatin1Char('\t')) {
            ++i;
            continue;
        }
        Word word;
        while (i < exec.size() && exec[i] != QLatin1Char(' ') && exec[i] != QLatin1Char('\t')) {
            if (exec[i] != QLatin1Char('"')) {
                word.text += exec[i++];
                continue;
            }
            word.quoted = true;
            ++i;
            for (;;) {
                if (i == exec.size())
                    return {}; // unclosed quote
                const QChar c = exec[i++];
                if (c == QLatin1Char('"'))
                    break;
                if (c == QLatin1Char('\\')) {
                    if (i == exec.size())
                        return {};
                    word.text += exec[i++];
                    continue;
                }
                word.text += c;
            }
        }
        words << word;
    }
    QList<QByteArray> argv;
    for (const Word& word : words) {
        if (word.quoted) {
            argv << word.text.toUtf8();
            continue;
        }
        if (word.text == QLatin1String("%F") || word.text == QLatin1String("%U")) {
            for (const QByteArray& path : paths)
                argv << (word.text == QLatin1String("%F") ? path : fileUrlBytes(path));
            continue;
        }
        if (word.text == QLatin1String("%i")) {
            if (!app.icon.isEmpty())
                argv << "--icon" << app.icon.toUtf8();
            continue;
        }
        QByteArray arg;
        bool dropped = false;
        const QString& t = word.text;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i] != QLatin1Char('%') || i + 1 == t.size()) {
                arg += QString(t[i]).toUtf8();
                continue;
            }
            const QChar code = t[++i];
            if (code == QLatin1Char('%'))
                arg += '%';
            else if (paths.isEmpty() && QStringLiteral("fFuU").contains(code))
                dropped = true; // no file: the argument goes
            else if (code == QLatin1Char('f') || code == QLatin1Char('F'))
                arg += paths.first();
            else if (code == QLatin1Char('u') || code == QLatin1Char('U'))
                arg += fileUrlBytes(paths.first());
            else if (code == QLatin1Char('c'))
                arg += app.name.toUtf8();
            else if (code == QLatin1Char('k'))
                arg += app.file;
            else
                dropped = true; // deprecated or unknown codes expand to nothing
        }
        if (!arg.isEmpty() || !dropped)
            argv << arg;
    }
    return argv;
}

HRESULT LaunchApplication(const TDesktopApplication& app, const QList<QByteArray>& paths)
{
    const bool takesMany =
        app.exec.contains(QLatin1String("%F")) || app.exec.contains(QLatin1String("%U"));
    QList<QList<QByteArray>> runs;
    if (takesMany || paths.size() <= 1)
        runs << paths;
    else
        for (const QByteArray& path : paths)
            runs << QList<QByteArray>{path};
    for (const QList<QByteArray>& files : runs) {
        const QList<QByteArray> argv = ExecCommandLine(app, files);
        if (argv.isEmpty())
            return HResultFromWin32(kErrorBadFormat);
        if (!StartDetachedProcess(argv))
            return HResultFromLastErrno();
    }
    return S_OK;
}
