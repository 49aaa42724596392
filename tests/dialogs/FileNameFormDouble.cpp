#include "FileNameFormDouble.h"

#include "platform/FileNameCodec.h"
#include "shell/utils/ShellServices.h"

#include <algorithm>

#include <dirent.h>

void FileNameFormDouble::ShowFolder(const QString& path)
{
    shownFolder = path;
    items.clear();
    selected = -1;
    const QByteArray folder = FileNameFromString(path);
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    for (const QByteArray& name : names)
        items.append({FileNameForDisplay(name), FileNameToString(prefix + name)});
}

void FileNameFormDouble::ShowItems(const QString& folder, QList<Item> newItems)
{
    shownFolder = folder;
    items = std::move(newItems);
    selected = -1;
}

int FileNameFormDouble::IndexOfCaption(const QString& caption) const
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].caption == caption)
            return i;
    }
    return -1;
}

void FileNameFormDouble::OpenFolder(PCItemIDList absoluteIdList)
{
    const QString path = ShellGetPathFromIdList(absoluteIdList);
    openedFolders << path;
    ShowFolder(path);
}

TPTMsgButton FileNameFormDouble::ShowMessage(const TPTMessageBoxRequest& request)
{
    messages << request;
    if (!answers.isEmpty())
        return answers.takeFirst();
    return (request.buttons & ptmbOk) ? ptmbOk : ptmbNo;
}
