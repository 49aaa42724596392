#include "shell/TPTStringReplacements.h"

#include "shell/PTStringTable.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <mutex>
#include <set>
#include <utility>

namespace
{

// What a text asks of its caller: the printf-style conversions in order
// ("%s", "%c") and the positional inserts it uses ("%1", "%2").
struct Placeholders {
    QString conversions;
    std::set<int> positions;
};

Placeholders placeholdersOf(QStringView text)
{
    Placeholders p;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 >= text.size())
            continue;
        ++i;
        if (text[i] == u'%')
            continue;
        if (text[i].isDigit()) {
            int n = 0;
            for (; i < text.size() && text[i].isDigit(); ++i)
                n = std::min(n * 10 + text[i].digitValue(), 1000);
            --i;
            p.positions.insert(n);
            continue;
        }
        while (i < text.size() && !text[i].isLetter())
            ++i;
        if (i < text.size())
            p.conversions += text[i];
    }
    return p;
}

bool placeholdersFit(QStringView replacement, QStringView builtIn)
{
    const Placeholders r = placeholdersOf(replacement);
    const Placeholders b = placeholdersOf(builtIn);
    return r.conversions == b.conversions && std::ranges::includes(b.positions, r.positions);
}

QString unescaped(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 >= value.size()) {
            out += value[i];
            continue;
        }
        switch (value[i + 1].unicode()) {
        case u'n':
            out += u'\n';
            ++i;
            break;
        case u't':
            out += u'\t';
            ++i;
            break;
        case u'\\':
            out += u'\\';
            ++i;
            break;
        case u'"':
            out += u'"';
            ++i;
            break;
        default:
            out += value[i];
            break;
        }
    }
    return out;
}

const TPTStringTableEntry* entryFor(QStringView key)
{
    bool isNumber = false;
    const uint id = key.toUInt(&isNumber);
    if (isNumber)
        return id <= 0xFFFF ? PTFindBuiltInString(static_cast<std::uint16_t>(id)) : nullptr;
    return PTFindBuiltInString(key);
}

struct Installed {
    std::mutex mutex;
    std::optional<TPTStringReplacements> table;
    bool looked = false;
};

Installed& installed()
{
    static Installed instance;
    return instance;
}

std::optional<std::pair<QString, TPTStringReplacements>> firstReadable()
{
    for (const QString& path : TPTStringReplacements::CandidatePaths()) {
        if (std::optional table = TPTStringReplacements::FromFile(path))
            return std::pair(path, std::move(*table));
    }
    return std::nullopt;
}

} // namespace

TPTStringReplacements TPTStringReplacements::FromText(QByteArrayView utf8)
{
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);
    TPTStringReplacements table;
    const QString text = QString::fromUtf8(utf8);
    int lineNo = 0;
    int skipped = 0;
    int firstSkipped = 0;
    const auto skip = [&] {
        if (skipped++ == 0)
            firstSkipped = lineNo;
    };
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        ++lineNo;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const TPTStringTableEntry* entry = eq > 0 ? entryFor(line.first(eq).trimmed()) : nullptr;
        QStringView value = eq > 0 ? line.sliced(eq + 1).trimmed() : QStringView();
        if (!entry || value.isEmpty()) {
            skip();
            continue;
        }
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.sliced(1, value.size() - 2);
        QString replacement = unescaped(value);
        if (!placeholdersFit(replacement, QString::fromUtf8(entry->Text))) {
            skip();
            continue;
        }
        table.m_texts.insert(entry->Id, std::move(replacement));
    }
    // One line for a whole file, however broken, so a binary file cannot flood the log.
    if (skipped > 0)
        qWarning("string replacements: %d line(s) skipped, the first is line %d (unknown key, "
                 "no text, or placeholders that differ from the built-in text)",
                 skipped, firstSkipped);
    return table;
}

std::optional<TPTStringReplacements> TPTStringReplacements::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FromText(file.read(MaxFileBytes));
}

std::optional<QString> TPTStringReplacements::Find(std::uint16_t id) const
{
    const auto it = m_texts.constFind(id);
    return it != m_texts.cend() ? std::optional(*it) : std::nullopt;
}

QStringList TPTStringReplacements::CandidatePaths()
{
    QStringList paths;
    const QString fromEnv = qEnvironmentVariable(EnvironmentVariable);
    if (!fromEnv.isEmpty())
        paths << fromEnv;
    if (QCoreApplication::instance())
        paths << QDir(QCoreApplication::applicationDirPath()).filePath(FileName);
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        paths << QDir(dir).filePath(QStringLiteral("veldmark/") + FileName);
    return paths;
}

void TPTStringReplacements::Install(TPTStringReplacements table)
{
    Installed& state = installed();
    const std::lock_guard lock(state.mutex);
    state.table = std::move(table);
    state.looked = true;
}

void TPTStringReplacements::Uninstall()
{
    Installed& state = installed();
    const std::lock_guard lock(state.mutex);
    state.table.reset();
    state.looked = true;
}

QString TPTStringReplacements::InstallFromStandardLocations()
{
    auto found = firstReadable();
    if (!found) {
        Uninstall();
        return {};
    }
    Install(std::move(found->second));
    return found->first;
}

std::optional<QString> TPTStringReplacements::FindInstalled(std::uint16_t id)
{
    Installed& state = installed();
    const std::lock_guard lock(state.mutex);
    // Look for the file only once an application object exists: before that
    // the executable's folder is not known.
    if (!state.looked && QCoreApplication::instance()) {
        state.looked = true;
        if (auto found = firstReadable())
            state.table = std::move(found->second);
    }
    return state.table ? state.table->Find(id) : std::nullopt;
}
