#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

class IPTShellComboOwner;

// The data of one entry of the folder combo: the folder holding the entry's
// object, the lists of that folder, of the object within it and of the object
// itself, all from the shell allocator. The object's own folder is bound on
// demand and kept. User-interface thread only.
class TPTShComboData
{
  public:
    explicit TPTShComboData(IPTShellComboOwner* combo);
    ~TPTShComboData();
    TPTShComboData(const TPTShComboData&) = delete;
    TPTShComboData& operator=(const TPTShComboData&) = delete;

    // Copies both lists and keeps a reference on parentFolder (which may be null).
    void SetData(IShellFolder* parentFolder, PCItemIDList parentIdList, PCItemIDList relIdList);
    // The object's folder; the desktop for an empty absolute list. A failure
    // raises the platform error.
    TComPtr<IShellFolder> GetThisIShf();

    IPTShellComboOwner* Combo() const { return m_combo; }
    IShellFolder* ParentFolder() const { return m_parentFolder.get(); }
    PCItemIDList ParentIdList() const { return m_parentIdList; }
    PCItemIDList RelIdList() const { return m_relIdList; }
    PCItemIDList AbsIdList() const { return m_absIdList; }

  private:
    void clear();

    IPTShellComboOwner* m_combo;
    TComPtr<IShellFolder> m_parentFolder;
    PItemIDList m_parentIdList = nullptr;
    PItemIDList m_relIdList = nullptr;
    PItemIDList m_absIdList = nullptr;
    TComPtr<IShellFolder> m_thisFolder;
};
