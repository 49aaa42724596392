#pragma once

#include "shell/shell95/IDropTarget.h"
#include "shell/shell95/TComPtr.h"

#include <QByteArray>
#include <QList>

// The shell's drop target of a file-system folder: what a folder's
// GetUIObjectOf hands out for IID_IDropTarget of a folder item. Files named
// by the data object are copied, moved or linked into the folder
// (DropEffectRules); a drop with the right button asks through
// ShowDropMenu. User-interface thread only.
class TFileSystemDropTarget final : public TComObject<IDropTarget>
{
  public:
    TFileSystemDropTarget(const QByteArray& folderPath, HWND owner);

    const QByteArray& FolderPath() const { return m_folder; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                      std::uint32_t* effect) override;
    HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) override;
    HRESULT DragLeave() override;
    // The effect out is the one applied; none when nothing was done
    // (cancelled, refused or failed, the failure having been shown).
    HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                 std::uint32_t* effect) override;

  private:
    std::uint32_t effectFor(std::uint32_t keyState, std::uint32_t allowed) const;
    void readSources(IDataObject* dataObject);

    QByteArray m_folder;
    HWND m_owner;
    QList<QByteArray> m_sources;
    bool m_sameVolume = false;
    bool m_allInFolder = false;
    bool m_intoItself = false; // the folder is one of the sources or below one
};
