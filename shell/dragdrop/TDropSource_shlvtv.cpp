#include "shell/dragdrop/TDropSource_shlvtv.h"

TDropSource_shlvtv::TDropSource_shlvtv(std::uint32_t dragButton) : m_dragButton(dragButton) {}

HRESULT TDropSource_shlvtv::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropSource, object);
}

HRESULT TDropSource_shlvtv::QueryContinueDrag(bool escapePressed, std::uint32_t keyState)
{
    // 0x13 is all three buttons: XOR leaves the ones other than the drag button.
    if (escapePressed || (keyState & (m_dragButton ^ MK_BUTTONS)) != 0)
        return DRAGDROP_S_CANCEL;
    if (keyState & m_dragButton)
        return S_OK;
    return DRAGDROP_S_DROP;
}

HRESULT TDropSource_shlvtv::GiveFeedback(std::uint32_t)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
