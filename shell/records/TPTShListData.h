#pragma once

#include "shell/shell95/TItemIDList.h"

#include <QString>

#include <cstdint>

class IPTShellListOwner;

// The data of one item of the file list: the item's list relative to the
// listed folder, with the absolute list, display name and the size, type and
// modified texts worked out on demand and kept until Flush. Attributes are
// asked of the folder each time. The texts of a file-system entry come from
// the stat data its item holds, without asking the file system again.
// User-interface thread only.
class TPTShListData
{
  public:
    explicit TPTShListData(IPTShellListOwner* list);
    ~TPTShListData();
    TPTShListData(const TPTShListData&) = delete;
    TPTShListData& operator=(const TPTShListData&) = delete;

    // Takes over relPidl, which must come from the list's allocator.
    void SetData(PItemIDList relPidl);
    void Flush();

    // Owned by the record, valid until Flush or SetData.
    PCItemIDList GetAbsoluteIdList();
    // The attributes 0xF00F0037 the folder reports for the item; read-only is
    // not asked for below a removable volume's root. 0 when the query fails.
    std::uint32_t GetAttributes();
    bool IsFolder();
    bool IsFileSystem();
    bool GetEditable();
    // The folder can still find the item (validate query).
    bool IsValid();
    // The file name ends in the platform's link extension, in any case.
    bool IsLnkShortcut();
    QString GetDisplayName();
    QString GetPathName();
    QString GetFilename();
    // Column 0 is drawn by the list: empty. Others from the folder's details
    // interface when it has one, else 1 size, 2 type, 3 modified.
    QString GetColText(int column);
    void GetExtraData();
    QString GetSize();
    QString GetFileType();
    QString GetModified();

    IPTShellListOwner* List() const { return m_list; }
    PCItemIDList RelativeIdList() const { return m_relPidl; }

  private:
    std::uint32_t attributesOf(std::uint32_t requested);
    void freeList(PItemIDList& list);

    IPTShellListOwner* m_list;
    PItemIDList m_absPidl = nullptr;
    PItemIDList m_relPidl = nullptr;
    QString m_pathName;
    bool m_pathReady = false;
    QString m_displayName;
    bool m_extraDataReady = false;
    QString m_size;
    QString m_fileType;
    QString m_modified;
};
