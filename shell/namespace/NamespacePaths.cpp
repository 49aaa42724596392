#include "shell/namespace/NamespacePaths.h"

#include "shell/namespace/ItemData.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/utils/IdList.h"

#include <QList>

namespace NamespacePaths
{

QByteArray Join(const QByteArray& dir, std::string_view name)
{
    QByteArray out = dir;
    if (!out.endsWith('/'))
        out.append('/');
    out.append(name.data(), static_cast<qsizetype>(name.size()));
    return out;
}

bool PathOfIdList(PCItemIDList absolute, QByteArray& path)
{
    if (IdListIsEmpty(absolute)) {
        path = XdgDirs::Desktop();
        return true;
    }
    bool havePath = false;
    bool first = true;
    QByteArray current;
    for (PCItemIDList item = absolute; !IdListIsEmpty(item);
         item = IdListNext(item), first = false) {
        ItemData::View view;
        if (!ItemData::Read(item, view))
            return false;
        switch (view.kind) {
        case ItemData::KindHome:
        case ItemData::KindComputer:
        case ItemData::KindTrash:
            if (!first)
                return false;
            havePath = view.kind == ItemData::KindHome;
            current = view.kind == ItemData::KindHome    ? XdgDirs::Home()
                      : view.kind == ItemData::KindTrash ? XdgDirs::TrashFiles()
                                                         : QByteArray();
            break;
        case ItemData::KindVolume:
            current = QByteArray(view.text.data(), static_cast<qsizetype>(view.text.size()));
            havePath = true;
            break;
        case ItemData::KindFileSystem:
            if (first)
                current = XdgDirs::Desktop();
            else if (current.isEmpty())
                return false;
            current = Join(current, view.text);
            havePath = true;
            break;
        }
    }
    if (!havePath)
        return false;
    path = current;
    return true;
}

QByteArray CleanAbsolute(const QByteArray& path)
{
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray out;
    for (const QByteArray& part : parts)
        out += '/' + part;
    return out.isEmpty() ? QByteArray("/") : out;
}

} // namespace NamespacePaths
