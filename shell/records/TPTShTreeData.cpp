#include "shell/records/TPTShTreeData.h"

#include "platform/EPlatformError.h"
#include "shell/namespace/Desktop.h"
#include "shell/shell95/IDropTarget.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/records/ItemTexts.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTIdListArray.h"

namespace
{

// The drop target of an object given by its absolute list: asked of the
// folder that holds it.
HRESULT dropTargetOfAbsolute(HWND window, PCItemIDList absolute, IDropTarget** target)
{
    TPTIdListArray items(absolute);
    TComPtr<IShellFolder> parent;
    if (const HRESULT hr = ShellGetFolderFromIdList(items.GoUp(1), parent.put()); Failed(hr))
        return hr;
    PCItemIDList last = IdListLastItem(absolute);
    return parent->GetUIObjectOf(window, 1, &last, IID_IDropTarget, nullptr,
                                 reinterpret_cast<void**>(target));
}

} // namespace

TPTShTreeData::TPTShTreeData(IPTShellTreeOwner* tree) : m_tree(tree) {}

TPTShTreeData::~TPTShTreeData()
{
    m_thisFolder.reset();
    freeList(m_relPidl);
    freeList(m_absPidl);
}

void TPTShTreeData::freeList(PItemIDList& list)
{
    if (list && m_malloc)
        m_malloc->Free(list);
    list = nullptr;
}

void TPTShTreeData::SetData(TPTShTreeData* parentData, IMalloc* malloc, PCItemIDList relPidl)
{
    // Lists of an earlier SetData go back to the allocator they came from.
    Flush();
    freeList(m_relPidl);
    // No allocator means the shell's, as it does for CopyIdList; otherwise the
    // copy below would come from the shell allocator and never be freed.
    m_malloc = TComPtr<IMalloc>::share(malloc ? malloc : ShellIMalloc());
    m_parentData = parentData;
    if (relPidl)
        m_relPidl = CopyIdList(m_malloc.get(), relPidl);
}

void TPTShTreeData::SetRelPidl(PCItemIDList relPidl)
{
    // Copy first: relPidl may be our own list.
    PItemIDList copy = relPidl ? CopyIdList(m_malloc.get(), relPidl) : nullptr;
    Flush();
    freeList(m_relPidl);
    m_relPidl = copy;
    GetAbsPidl();
}

PCItemIDList TPTShTreeData::GetAbsPidl()
{
    if (m_absPidl || !m_malloc)
        return m_absPidl;
    if (m_parentData)
        m_absPidl = ConcatIdLists(m_malloc.get(), m_parentData->GetAbsPidl(), m_relPidl);
    else
        m_absPidl = CopyIdList(m_malloc.get(), m_relPidl);
    return m_absPidl;
}

TComPtr<IShellFolder> TPTShTreeData::GetThisIShf()
{
    if (m_thisFolder)
        return m_thisFolder;
    PCItemIDList absolute = GetAbsPidl();
    if (IdListIsEmpty(absolute)) {
        CheckResult(SHGetDesktopFolder(m_thisFolder.put()));
    } else if (m_parentData) {
        if (TComPtr<IShellFolder> parent = m_parentData->GetThisIShf())
            parent->BindToObject(m_relPidl, nullptr, IID_IShellFolder, m_thisFolder.putVoid());
    } else {
        // A root whose folder was flushed has no parent to bind from; the
        // desktop binds the same object.
        ShellGetFolderFromIdList(absolute, m_thisFolder.put());
    }
    return m_thisFolder;
}

TComPtr<IShellFolder> TPTShTreeData::GetParentIShf()
{
    return m_parentData ? m_parentData->GetThisIShf() : TComPtr<IShellFolder>();
}

QString TPTShTreeData::GetPathName()
{
    if (!m_malloc)
        throw EPlatformError(QStringLiteral("TPTShTreeData not initialised"));
    PCItemIDList absolute = GetAbsPidl();
    return absolute ? ShellGetPathFromIdList(absolute) : QString();
}

bool TPTShTreeData::GetEditable()
{
    if (!m_parentData || IdListIsEmpty(GetAbsPidl()))
        return false;
    TComPtr<IShellFolder> parent = GetParentIShf();
    if (!parent)
        return false;
    std::uint32_t attributes = SFGAO_FILESYSTEM | SFGAO_CAPABILITYMASK;
    PCItemIDList item = m_relPidl;
    if (Failed(parent->GetAttributesOf(1, &item, &attributes)))
        return false;
    return attributes & SFGAO_CANRENAME;
}

HRESULT TPTShTreeData::GetIDropTarget(HWND window, IDropTarget** target)
{
    if (!target)
        return E_POINTER;
    *target = nullptr;
    if (m_parentData) {
        TComPtr<IShellFolder> parent = m_parentData->GetThisIShf();
        if (!parent)
            return E_FAIL;
        PCItemIDList item = m_relPidl;
        return parent->GetUIObjectOf(window, 1, &item, IID_IDropTarget, nullptr,
                                     reinterpret_cast<void**>(target));
    }
    PCItemIDList absolute = GetAbsPidl();
    if (!IdListIsEmpty(absolute))
        return dropTargetOfAbsolute(window, absolute, target);
    // The desktop itself: files dropped on it go to the desktop directory.
    TIdListPtr desktopDirectory;
    const QString path = ShellGetSpecialFolderPath(window, csidlDesktop);
    if (const HRESULT hr = ShellGetIdListFromPath(path, desktopDirectory.put()); Failed(hr))
        return hr;
    if (IdListIsEmpty(desktopDirectory.get()))
        return E_FAIL;
    return dropTargetOfAbsolute(window, desktopDirectory.get(), target);
}

bool TPTShTreeData::IsRootDir()
{
    return IsVolumeRootPath(GetPathName());
}

void TPTShTreeData::Flush()
{
    freeList(m_absPidl);
    m_thisFolder.reset();
}
