#pragma once

#include "shell/namespace/TShellFolderBase.h"

#include <QByteArray>

// The drives folder: one item per mounted volume, "/" first. Not itself in the
// file system, but an ancestor of it. Offers a details interface with the
// columns Name, Type, Total Size and Free Space.
class TComputerFolder : public TShellFolderBase
{
  public:
    explicit TComputerFolder(PCItemIDList absolute);

    // Absolute paths: the volume with the longest matching mount point, then
    // one item per component below it.
    HRESULT ParseDisplayName(HWND owner, IBindCtx* bindCtx, const QString& displayName,
                             std::uint32_t* eaten, PItemIDList* idList,
                             std::uint32_t* attributes) override;
    HRESULT EnumObjects(HWND owner, std::uint32_t flags, IEnumIDList** enumList) override;
    HRESULT CreateViewObject(HWND owner, REFIID iid, void** object) override;
    // No items with SFGAO_VALIDATE: forget the mount table read so far.
    HRESULT GetAttributesOf(std::uint32_t count, const PCItemIDList* idLists,
                            std::uint32_t* inOut) override;
    HRESULT SetNameOf(HWND owner, PCItemIDList idList, const QString& name, std::uint32_t flags,
                      PItemIDList* newIdList) override;

    // Parses a cleaned absolute path (bytes) into [volume, components...].
    HRESULT ParsePath(const QByteArray& path, PItemIDList* idList);

  protected:
    bool ownsKind(ItemData::Kind kind) const override { return kind == ItemData::KindVolume; }
    HRESULT bindItem(PCItemIDList item, const ItemData::View& view,
                     TComPtr<IShellFolder>& folder) override;
    int compareItems(int column, const ItemData::View& a, const ItemData::View& b) override;
    HRESULT itemAttributes(const ItemData::View& view, std::uint32_t requested,
                           std::uint32_t& attributes) override;
    HRESULT itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                            TStrRet* name) override;
};

// Texts and figures of a volume item, shared with the details interface.
namespace VolumeInfo
{
QString DisplayName(const ItemData::View& view);
QString TypeText(const ItemData::View& view);
bool Sizes(const ItemData::View& view, quint64& total, quint64& free);
} // namespace VolumeInfo
