#include "shellwidgets/menus/TPTSendToList.h"

#include "shell/icons/SystemIcons.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/ShellServices.h"

#include <QDir>

#include <algorithm>

TPTSendToList& TPTSendToList::Instance()
{
    static TPTSendToList list;
    return list;
}

void TPTSendToList::Reload()
{
    m_entries.clear();
    const QString folder = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
    for (const QString& name : names)
        Add(name, ShellGetIconIndexFromPath(dir.filePath(name), SHGFI_SMALLICON));
}

void TPTSendToList::Add(const QString& fileName, int iconIndex)
{
    const auto less = [](const Entry& entry, const QString& name) {
        return entry.fileName.compare(name, Qt::CaseInsensitive) < 0;
    };
    const auto place = std::lower_bound(m_entries.begin(), m_entries.end(), fileName, less);
    if (place != m_entries.end() && place->fileName.compare(fileName, Qt::CaseInsensitive) == 0)
        return;
    m_entries.insert(place, Entry{fileName, iconIndex});
}

QString TPTSendToList::DisplayName(int index) const
{
    return WithoutExtension(At(index).fileName);
}

QString TPTSendToList::WithoutExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}
