#pragma once

#include "shell/shell95/IDropTarget.h"

#include <QByteArray>
#include <QList>

// The drop target of the Trash: files dropped on it are moved to the trash
// (XdgTrash::MoveToTrash, each to the trash of its own volume), so the
// effect offered is move, and nothing happens when the source does not allow
// moving. Items already in a trash are refused. User-interface thread only.
class TTrashDropTarget final : public TComObject<IDropTarget>
{
  public:
    explicit TTrashDropTarget(HWND owner);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                      std::uint32_t* effect) override;
    HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) override;
    HRESULT DragLeave() override;
    // The effect out is move when every item went to the trash, none when
    // nothing did (a failure is shown and ends the drop).
    HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                 std::uint32_t* effect) override;

  private:
    std::uint32_t effectFor(std::uint32_t allowed) const;

    HWND m_owner;
    QList<QByteArray> m_sources;
};
