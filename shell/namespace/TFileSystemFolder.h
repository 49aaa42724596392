#pragma once

#include "shell/namespace/TShellFolderBase.h"

#include <QByteArray>

#include <optional>

// A directory of the file system: Home, a volume, the trash, the desktop
// directory's entries and every folder below them. Items are file-system
// entries (kind 0x20) named relative to this directory.
class TFileSystemFolder : public TShellFolderBase
{
  public:
    TFileSystemFolder(PCItemIDList absolute, const QByteArray& path);

    const QByteArray& Path() const { return m_path; }

    // Relative names only ("a", "a/b"); ".." may not leave this folder.
    HRESULT ParseDisplayName(HWND owner, IBindCtx* bindCtx, const QString& displayName,
                             std::uint32_t* eaten, PItemIDList* idList,
                             std::uint32_t* attributes) override;
    HRESULT EnumObjects(HWND owner, std::uint32_t flags, IEnumIDList** enumList) override;
    // Renames inside this folder; never replaces an existing entry.
    HRESULT SetNameOf(HWND owner, PCItemIDList idList, const QString& name, std::uint32_t flags,
                      PItemIDList* newIdList) override;

  protected:
    bool ownsKind(ItemData::Kind kind) const override { return kind == ItemData::KindFileSystem; }
    HRESULT bindItem(PCItemIDList item, const ItemData::View& view,
                     TComPtr<IShellFolder>& folder) override;
    int compareItems(int column, const ItemData::View& a, const ItemData::View& b) override;
    HRESULT itemAttributes(const ItemData::View& view, std::uint32_t requested,
                           std::uint32_t& attributes) override;
    HRESULT itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                            TStrRet* name) override;

    // For subclasses that list extra items besides the directory's entries.
    HRESULT enumerate(std::uint32_t flags, const QList<QByteArray>& leading,
                      IEnumIDList** enumList);
    // Relative parse without the checks of ParseDisplayName.
    HRESULT parseRelative(const QByteArray& relative, PItemIDList* idList);

  private:
    bool parentWritable() const;
    // The trash's files folder itself: its entries are paired by name with
    // info/<name>.trashinfo, so a rename there would lose where one came from.
    bool isTrashFiles() const;

    QByteArray m_path;
    mutable std::optional<bool> m_writable;
    mutable std::optional<bool> m_trashFiles;
};

// True when the directory has at least one subdirectory (a link to one
// counts). Huge directories are not read to the end: after a few thousand
// entries without one the answer is true, erring towards an expand button.
bool DirectoryHasSubfolder(const QByteArray& path);

// Order of two file-system items in a column: folders first, then by the
// column (0 name, 1 size, 2 type, 3 modified), ties by name.
int CompareFileSystemItems(int column, const ItemData::View& a, const ItemData::View& b);
