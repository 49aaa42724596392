#include "shell/records/TPTShComboData.h"

#include "platform/EPlatformError.h"
#include "shell/namespace/Desktop.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"

#include <utility>

TPTShComboData::TPTShComboData(IPTShellComboOwner* combo) : m_combo(combo) {}

TPTShComboData::~TPTShComboData()
{
    clear();
}

void TPTShComboData::clear()
{
    m_parentFolder.reset();
    m_thisFolder.reset();
    ShellMemFree(std::exchange(m_parentIdList, nullptr));
    ShellMemFree(std::exchange(m_relIdList, nullptr));
    ShellMemFree(std::exchange(m_absIdList, nullptr));
}

void TPTShComboData::SetData(IShellFolder* parentFolder, PCItemIDList parentIdList,
                             PCItemIDList relIdList)
{
    // Copy before clearing: the arguments may be this record's own.
    TComPtr<IShellFolder> folder = TComPtr<IShellFolder>::share(parentFolder);
    PItemIDList parent = CopyIdList(nullptr, parentIdList);
    PItemIDList relative = CopyIdList(nullptr, relIdList);
    PItemIDList absolute = ConcatIdLists(nullptr, parentIdList, relIdList);
    clear();
    m_parentFolder = std::move(folder);
    m_parentIdList = parent;
    m_relIdList = relative;
    m_absIdList = absolute;
}

TComPtr<IShellFolder> TPTShComboData::GetThisIShf()
{
    if (m_thisFolder)
        return m_thisFolder;
    TComPtr<IShellFolder> folder;
    if (IdListIsEmpty(m_absIdList)) {
        CheckResult(SHGetDesktopFolder(folder.put()));
    } else if (!m_parentFolder) {
        CheckResult(ShellGetFolderFromIdList(m_absIdList, folder.put()));
    } else if (IdListIsEmpty(m_relIdList)) {
        // The entry is the parent folder itself.
        folder = m_parentFolder;
    } else {
        CheckResult(
            m_parentFolder->BindToObject(m_relIdList, nullptr, IID_IShellFolder, folder.putVoid()));
    }
    m_thisFolder = folder;
    return m_thisFolder;
}
