#pragma once

#include "shell/shell95/IEnumIDList.h"
#include "shell/shell95/IUnknown.h"
#include "shell/shell95/TItemIDList.h"
#include "shell/shell95/TStrRet.h"

#include <QString>

#include <cstdint>

// A folder of the shell namespace. Item lists passed in are relative to this
// folder (one item for most calls; CompareIDs and BindToObject accept several).
// Every call answers a result code; out parameters are null on failure.
class IShellFolder : public IUnknown
{
  public:
    // Parses a name into a list relative to this folder. The desktop takes
    // absolute paths, "~" and "~/...", and the folders' own parsing names.
    virtual HRESULT ParseDisplayName(HWND owner, IBindCtx* bindCtx, const QString& displayName,
                                     std::uint32_t* eaten, PItemIDList* idList,
                                     std::uint32_t* attributes) = 0;
    virtual HRESULT EnumObjects(HWND owner, std::uint32_t flags, IEnumIDList** enumList) = 0;
    virtual HRESULT BindToObject(PCItemIDList idList, IBindCtx* bindCtx, REFIID iid,
                                 void** object) = 0;
    virtual HRESULT BindToStorage(PCItemIDList idList, IBindCtx* bindCtx, REFIID iid,
                                  void** object) = 0;
    // Low 16 bits of a success code: negative, 0 or positive. Column 0 name,
    // 1 size, 2 type, 3 modified.
    virtual HRESULT CompareIDs(std::intptr_t column, PCItemIDList idList1,
                               PCItemIDList idList2) = 0;
    virtual HRESULT CreateViewObject(HWND owner, REFIID iid, void** object) = 0;
    // In: the attributes asked for; out: those that all the items have.
    virtual HRESULT GetAttributesOf(std::uint32_t count, const PCItemIDList* idLists,
                                    std::uint32_t* inOut) = 0;
    virtual HRESULT GetUIObjectOf(HWND owner, std::uint32_t count, const PCItemIDList* idLists,
                                  REFIID iid, std::uint32_t* reserved, void** object) = 0;
    virtual HRESULT GetDisplayNameOf(PCItemIDList idList, std::uint32_t flags, TStrRet* name) = 0;
    virtual HRESULT SetNameOf(HWND owner, PCItemIDList idList, const QString& name,
                              std::uint32_t flags, PItemIDList* newIdList) = 0;
};
