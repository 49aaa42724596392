#pragma once

#include "shell/namespace/TFileSystemFolder.h"

// The namespace root. Holds Home, Computer, Trash (when the trash exists) and
// the entries of the user's desktop directory, whose path it stands for.
class TDesktopFolder : public TFileSystemFolder
{
  public:
    explicit TDesktopFolder(const QByteArray& desktopDirectory);

    // Absolute paths, "~" and "~/..." (the home directory), "computer:///"
    // and "trash:///". One folder has one list: a path at or below the home
    // directory is Home / components, any other Computer / volume /
    // components. Relative names are refused: the desktop has no current
    // directory to resolve them against.
    HRESULT ParseDisplayName(HWND owner, IBindCtx* bindCtx, const QString& displayName,
                             std::uint32_t* eaten, PItemIDList* idList,
                             std::uint32_t* attributes) override;
    HRESULT EnumObjects(HWND owner, std::uint32_t flags, IEnumIDList** enumList) override;
    // The empty list names the desktop itself.
    HRESULT GetDisplayNameOf(PCItemIDList idList, std::uint32_t flags, TStrRet* name) override;
    HRESULT SetNameOf(HWND owner, PCItemIDList idList, const QString& name, std::uint32_t flags,
                      PItemIDList* newIdList) override;

  protected:
    bool ownsKind(ItemData::Kind kind) const override;
    HRESULT bindItem(PCItemIDList item, const ItemData::View& view,
                     TComPtr<IShellFolder>& folder) override;
    int compareItems(int column, const ItemData::View& a, const ItemData::View& b) override;
    HRESULT itemAttributes(const ItemData::View& view, std::uint32_t requested,
                           std::uint32_t& attributes) override;
    HRESULT itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                            TStrRet* name) override;

  private:
    static bool isBelowHome(const QByteArray& cleanPath);
    HRESULT parseBelowHome(const QByteArray& cleanPath, TIdListPtr& result);
    HRESULT parseBelowComputer(const QByteArray& cleanPath, TIdListPtr& result);
};
