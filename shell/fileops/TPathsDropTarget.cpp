#include "shell/fileops/TPathsDropTarget.h"

#include "shell/fileops/DroppedFiles.h"

#include <utility>

HRESULT TPathsDropTarget::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropTarget, object);
}

HRESULT TPathsDropTarget::DragEnter(IDataObject* dataObject, std::uint32_t, TPointL,
                                    std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    m_paths = DroppedFilePaths(dataObject);
    *effect = m_paths.isEmpty() ? DROPEFFECT_NONE : EffectFor(m_paths, *effect);
    return S_OK;
}

HRESULT TPathsDropTarget::DragOver(std::uint32_t, TPointL, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    *effect = m_paths.isEmpty() ? DROPEFFECT_NONE : EffectFor(m_paths, *effect);
    return S_OK;
}

HRESULT TPathsDropTarget::DragLeave()
{
    m_paths.clear();
    return S_OK;
}

HRESULT TPathsDropTarget::Drop(IDataObject* dataObject, std::uint32_t, TPointL,
                               std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    const QList<QByteArray> paths = DroppedFilePaths(dataObject);
    m_paths.clear();
    const std::uint32_t chosen = paths.isEmpty() ? DROPEFFECT_NONE : EffectFor(paths, *effect);
    *effect = DROPEFFECT_NONE;
    if (chosen == DROPEFFECT_NONE)
        return S_OK;
    std::uint32_t applied = chosen;
    const HRESULT hr = Apply(paths, applied);
    if (Succeeded(hr))
        *effect = applied;
    return hr;
}
