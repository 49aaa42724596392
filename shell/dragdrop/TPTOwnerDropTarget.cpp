#include "shell/dragdrop/TPTOwnerDropTarget.h"

HRESULT TPTOwnerDropTarget::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropTarget, object);
}

HRESULT TPTOwnerDropTarget::DragEnter(IDataObject* dataObject, std::uint32_t keyState,
                                      TPointL point, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    if (!m_owner)
        return E_UNEXPECTED;
    return m_owner->OnDropTarget_DragEnter(dataObject, keyState, point, *effect);
}

HRESULT TPTOwnerDropTarget::DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    if (!m_owner)
        return E_UNEXPECTED;
    return m_owner->OnDropTarget_DragOver(keyState, point, *effect);
}

HRESULT TPTOwnerDropTarget::DragLeave()
{
    if (!m_owner)
        return E_UNEXPECTED;
    return m_owner->OnDropTarget_DragLeave();
}

HRESULT TPTOwnerDropTarget::Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                                 std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    if (!m_owner)
        return E_UNEXPECTED;
    return m_owner->OnDropTarget_Drop(dataObject, keyState, point, *effect);
}
