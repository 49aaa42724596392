#pragma once

#include "shell/shell95/IDropTarget.h"
#include "shell/dragdrop/IPTDropTargetOwner.h"

// A drop target that passes every call on to its control. The control
// outlives the registration; it calls Detach before it goes, after which the
// calls answer E_UNEXPECTED (a drag loop may still hold a reference).
class TPTOwnerDropTarget : public TComObject<IDropTarget>
{
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                      std::uint32_t* effect) override;
    HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                 std::uint32_t* effect) override;

    void Detach() { m_owner = nullptr; }

  protected:
    explicit TPTOwnerDropTarget(IPTDropTargetOwner* owner) : m_owner(owner) {}

  private:
    IPTDropTargetOwner* m_owner;
};
