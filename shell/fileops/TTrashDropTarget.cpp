#include "shell/fileops/TTrashDropTarget.h"

#include "shell/fileops/DroppedFiles.h"
#include "shell/fileops/ShellFileVerbs.h"
#include "shell/fileops/TrashEntries.h"

#include <utility>

TTrashDropTarget::TTrashDropTarget(HWND owner) : m_owner(owner) {}

HRESULT TTrashDropTarget::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropTarget, object);
}

std::uint32_t TTrashDropTarget::effectFor(std::uint32_t allowed) const
{
    if (m_sources.isEmpty() || !(allowed & DROPEFFECT_MOVE))
        return DROPEFFECT_NONE;
    for (const QByteArray& source : m_sources)
        if (XdgTrash::IsInTrash(source))
            return DROPEFFECT_NONE;
    return DROPEFFECT_MOVE;
}

HRESULT TTrashDropTarget::DragEnter(IDataObject* dataObject, std::uint32_t, TPointL,
                                    std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    m_sources = DroppedFilePaths(dataObject);
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT TTrashDropTarget::DragOver(std::uint32_t, TPointL, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT TTrashDropTarget::DragLeave()
{
    m_sources.clear();
    return S_OK;
}

HRESULT TTrashDropTarget::Drop(IDataObject* dataObject, std::uint32_t, TPointL,
                               std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    m_sources = DroppedFilePaths(dataObject);
    const std::uint32_t chosen = effectFor(*effect);
    *effect = DROPEFFECT_NONE;
    const QList<QByteArray> sources = std::exchange(m_sources, {});
    if (chosen == DROPEFFECT_NONE)
        return S_OK;
    if (Succeeded(FileVerbDeletePaths(sources, m_owner)))
        *effect = DROPEFFECT_MOVE;
    return S_OK;
}
