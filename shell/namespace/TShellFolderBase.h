#pragma once

#include "shell/namespace/ItemData.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/TIdListPtr.h"

#include <QByteArray>

// What every folder of the namespace shares: its absolute list, interface
// lookup, and the walk over lists of several items (binding, comparing,
// attributes and names of deeper items go through the folders on the way).
// Subclasses answer for single items of their own.
class TShellFolderBase : public TComObject<IShellFolder>
{
  public:
    explicit TShellFolderBase(PCItemIDList absolute);

    // Empty for the desktop; owned by the folder (kept outside the shell
    // allocator, so long-lived folders do not count as live blocks).
    PCItemIDList AbsoluteIdList() const
    {
        return reinterpret_cast<PCItemIDList>(m_absolute.constData());
    }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT BindToObject(PCItemIDList idList, IBindCtx* bindCtx, REFIID iid,
                         void** object) override;
    HRESULT BindToStorage(PCItemIDList idList, IBindCtx* bindCtx, REFIID iid,
                          void** object) override;
    HRESULT CompareIDs(std::intptr_t column, PCItemIDList idList1, PCItemIDList idList2) override;
    HRESULT CreateViewObject(HWND owner, REFIID iid, void** object) override;
    HRESULT GetAttributesOf(std::uint32_t count, const PCItemIDList* idLists,
                            std::uint32_t* inOut) override;
    HRESULT GetUIObjectOf(HWND owner, std::uint32_t count, const PCItemIDList* idLists, REFIID iid,
                          std::uint32_t* reserved, void** object) override;
    HRESULT GetDisplayNameOf(PCItemIDList idList, std::uint32_t flags, TStrRet* name) override;

  protected:
    virtual bool ownsKind(ItemData::Kind kind) const = 0;
    virtual HRESULT bindItem(PCItemIDList item, const ItemData::View& view,
                             TComPtr<IShellFolder>& folder) = 0;
    // Negative, 0 or positive; 0 only for the same object.
    virtual int compareItems(int column, const ItemData::View& a, const ItemData::View& b) = 0;
    virtual HRESULT itemAttributes(const ItemData::View& view, std::uint32_t requested,
                                   std::uint32_t& attributes) = 0;
    // A kind-1 answer is an offset from the start of the item.
    virtual HRESULT itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                                    TStrRet* name) = 0;

    // Reads the first item of a list and checks that it is one of ours.
    bool readOwnItem(PCItemIDList item, ItemData::View& view) const;
    // The folder holding the last item of a list of one or more items, and that item.
    HRESULT parentOfLast(PCItemIDList idList, TComPtr<IShellFolder>& parent, PCItemIDList& last);
    // The common end of ParseDisplayName: the requested attributes of the
    // parsed list, the characters eaten, and the list handed to the caller.
    HRESULT finishParse(const QString& displayName, TIdListPtr& parsed, std::uint32_t* eaten,
                        PItemIDList* idList, std::uint32_t* attributes);

  private:
    QByteArray m_absolute;
};
