#include "shell/fileops/TApplicationDropTarget.h"

#include "shell/fileops/DroppedFiles.h"

#include <utility>

TApplicationDropTarget::TApplicationDropTarget(TDesktopApplication application)
    : m_application(std::move(application))
{
}

HRESULT TApplicationDropTarget::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropTarget, object);
}

std::uint32_t TApplicationDropTarget::effectFor(std::uint32_t allowed) const
{
    return !m_paths.isEmpty() && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT TApplicationDropTarget::DragEnter(IDataObject* dataObject, std::uint32_t, TPointL,
                                          std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    m_paths = DroppedFilePaths(dataObject);
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT TApplicationDropTarget::DragOver(std::uint32_t, TPointL, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT TApplicationDropTarget::DragLeave()
{
    m_paths.clear();
    return S_OK;
}

HRESULT TApplicationDropTarget::Drop(IDataObject* dataObject, std::uint32_t, TPointL,
                                     std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    m_paths = DroppedFilePaths(dataObject);
    const std::uint32_t chosen = effectFor(*effect);
    const QList<QByteArray> paths = std::exchange(m_paths, {});
    *effect = DROPEFFECT_NONE;
    if (chosen == DROPEFFECT_NONE)
        return S_OK;
    const HRESULT hr = LaunchApplication(m_application, paths);
    if (Succeeded(hr))
        *effect = chosen;
    return hr;
}
