#pragma once

#include "shell/shell95/IDropTarget.h"

#include <QByteArray>
#include <QList>

// A drop target that acts on the paths of the dropped files with one rule
// for the effect: the base of the Trash's and an application's targets. The
// paths are read at the enter and again at the drop.
class TPathsDropTarget : public TComObject<IDropTarget>
{
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                      std::uint32_t* effect) override;
    HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) override;
    HRESULT DragLeave() override;
    // Applies the effect EffectFor chooses; the effect out is the one Apply
    // leaves, none when it fails.
    HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                 std::uint32_t* effect) override;

  protected:
    // The one effect for these paths among those allowed; none to refuse.
    virtual std::uint32_t EffectFor(const QList<QByteArray>& paths,
                                    std::uint32_t allowed) const = 0;
    // Acts with `effect`, which it clears when nothing was done.
    virtual HRESULT Apply(const QList<QByteArray>& paths, std::uint32_t& effect) = 0;

  private:
    QList<QByteArray> m_paths;
};
