#include "shellwidgets/combo/ShellComboPlaces.h"

#include "platform/FileNameCodec.h"
#include "platform/FileUrl.h"
#include "platform/ReadRegularFile.h"
#include "shell/namespace/XdgDirs.h"

#include <QSet>
#include <QXmlStreamReader>

#include <sys/stat.h>

namespace
{

// Bookmark files hold a few dozen lines; a bigger one is not read further.
constexpr qsizetype kMaxBookmarkFileBytes = 1 << 20;

QByteArray withoutTrailingSlash(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

QString lastComponentForDisplay(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = slash >= 0 && slash + 1 < path.size() ? path.mid(slash + 1) : path;
    return FileNameForDisplay(name);
}

std::optional<TPTShellComboPlace> placeOfUrl(const QByteArray& url, const QString& label,
                                             const QString& iconName)
{
    const std::optional<QByteArray> path = LocalPathOfFileUrl(url);
    if (!path)
        return std::nullopt;
    TPTShellComboPlace place;
    place.Path = withoutTrailingSlash(*path);
    place.Caption = label.isEmpty() ? lastComponentForDisplay(place.Path) : label;
    place.IconName = iconName.isEmpty() ? QStringLiteral("folder") : iconName;
    return place;
}

} // namespace

QList<TPTShellComboPlace> ParseGtkBookmarks(const QByteArray& content)
{
    QList<TPTShellComboPlace> places;
    for (QByteArray line : content.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype blank = line.indexOf(' ');
        const QByteArray url = blank < 0 ? line : line.left(blank);
        const QString label =
            blank < 0 ? QString() : QString::fromUtf8(line.mid(blank + 1).trimmed());
        if (auto place = placeOfUrl(url, label, QString()))
            places.append(*place);
    }
    return places;
}

QList<TPTShellComboPlace> ParseKdePlaces(const QByteArray& content)
{
    QList<TPTShellComboPlace> places;
    QXmlStreamReader xml(content);
    QByteArray href;
    QString title;
    QString icon;
    bool hidden = false;
    int depth = 0; // inside a bookmark: 1 + the elements open below it
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (depth == 0) {
                if (name == u"bookmark") {
                    href = xml.attributes().value(QStringLiteral("href")).toUtf8();
                    title.clear();
                    icon.clear();
                    hidden = false;
                    depth = 1;
                }
                continue;
            }
            // readElementText consumes the element's end as well.
            if (name == u"title") {
                title = xml.readElementText();
                continue;
            }
            if (name == u"IsHidden") {
                hidden = xml.readElementText().trimmed() == u"true";
                continue;
            }
            if (name == u"icon")
                icon = xml.attributes().value(QStringLiteral("name")).toString();
            ++depth;
        } else if (token == QXmlStreamReader::EndElement && depth > 0) {
            if (--depth == 0 && !hidden) {
                if (auto place = placeOfUrl(href, title.trimmed(), icon))
                    places.append(*place);
            }
        }
    }
    // A broken file still gives the bookmarks read before the fault.
    return places;
}

QList<TPTShellComboPlace> UserDirectoryPlaces()
{
    const struct {
        QByteArray path;
        const char* icon;
    } dirs[] = {
        {XdgDirs::Documents(), "folder-documents"}, {XdgDirs::Download(), "folder-download"},
        {XdgDirs::Music(), "folder-music"},         {XdgDirs::Pictures(), "folder-pictures"},
        {XdgDirs::Videos(), "folder-videos"},
    };
    QList<TPTShellComboPlace> places;
    for (const auto& dir : dirs)
        places.append({lastComponentForDisplay(dir.path), dir.path, QString::fromLatin1(dir.icon)});
    return places;
}

bool PlaceIsOffered(const QByteArray& path, const QList<TMountEntry>& mountTable)
{
    if (!path.startsWith('/'))
        return false;
    const qsizetype mount = LongestMountPointFor(mountTable, path);
    if (mount >= 0) {
        const TMountEntry& entry = mountTable[mount];
        // An automounter's point can wait for a server as well.
        if (entry.driveType == TDriveType::Remote || entry.fsType == "autofs")
            return true;
    }
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QList<TPTShellComboPlace> ReadShellComboPlaces(const QList<TMountEntry>& mountTable)
{
    QList<TPTShellComboPlace> candidates = UserDirectoryPlaces();
    if (auto gtk =
            ReadRegularFile(XdgDirs::ConfigHome() + "/gtk-3.0/bookmarks", kMaxBookmarkFileBytes))
        candidates += ParseGtkBookmarks(*gtk);
    if (auto kde =
            ReadRegularFile(XdgDirs::DataHome() + "/user-places.xbel", kMaxBookmarkFileBytes))
        candidates += ParseKdePlaces(*kde);

    QSet<QByteArray> seen{XdgDirs::Home(), XdgDirs::Desktop()};
    QList<TPTShellComboPlace> places;
    for (const TPTShellComboPlace& place : candidates) {
        if (seen.contains(place.Path))
            continue;
        seen.insert(place.Path);
        if (PlaceIsOffered(place.Path, mountTable))
            places.append(place);
    }
    return places;
}
