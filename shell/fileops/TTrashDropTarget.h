#pragma once

#include "shell/fileops/TPathsDropTarget.h"

// The drop target of the Trash: files dropped on it are moved to the trash
// (XdgTrash::MoveToTrash, each to the trash of its own volume), so the
// effect offered is move, and nothing happens when the source does not allow
// moving. Items already in a trash are refused. The effect out of a drop is
// move when every item went to the trash, none when nothing did (a failure
// is shown and ends the drop). User-interface thread only.
class TTrashDropTarget final : public TPathsDropTarget
{
  public:
    explicit TTrashDropTarget(HWND owner) : m_owner(owner) {}

  protected:
    std::uint32_t EffectFor(const QList<QByteArray>& paths, std::uint32_t allowed) const override;
    HRESULT Apply(const QList<QByteArray>& paths, std::uint32_t& effect) override;

  private:
    HWND m_owner;
};
