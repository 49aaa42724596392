#pragma once

#include "shell/shell95/IDropSource.h"
#include "shell/shell95/OleConstants.h"

// The drop source of the tree's and the list's drags, made for the button
// that started the drag (MK_LBUTTON, MK_RBUTTON or MK_MBUTTON).
class TDropSource_shlvtv final : public TComObject<IDropSource>
{
  public:
    explicit TDropSource_shlvtv(std::uint32_t dragButton);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    // Cancel on escape or when another button is pressed too; go on while the
    // drag button is down; drop when it was released.
    HRESULT QueryContinueDrag(bool escapePressed, std::uint32_t keyState) override;
    HRESULT GiveFeedback(std::uint32_t effect) override;

    std::uint32_t DragButton() const { return m_dragButton; }

  private:
    std::uint32_t m_dragButton;
};
