#include "shellwidgets/menus/SendToDrop.h"

#include "platform/EPlatformError.h"
#include "shell/shell95/IDropTarget.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/OleConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/menus/TPTSendToList.h"

HRESULT SendToEntry(IDataObject* dataObject, int index, HWND owner)
{
    const TPTSendToList& list = TPTSendToList::Instance();
    if (!dataObject || index < 0 || index >= list.Count())
        RaisePlatformError(E_INVALIDARG);
    TIdListPtr folderList;
    CheckResult(ShellGetSpecialFolderIdList(owner, csidlSendTo, folderList.put()));
    TComPtr<IShellFolder> folder;
    CheckResult(ShellGetFolderFromIdList(folderList.get(), folder.put()));
    TIdListPtr item;
    CheckResult(folder->ParseDisplayName(owner, nullptr, list.At(index).fileName, nullptr,
                                         item.put(), nullptr));
    TComPtr<IDropTarget> target;
    PCItemIDList items[1] = {item.get()};
    CheckResult(folder->GetUIObjectOf(owner, 1, items, IID_IDropTarget, nullptr, target.putVoid()));
    const TPointL origin;
    std::uint32_t effect = DROPEFFECT_COPY;
    CheckResult(target->DragEnter(dataObject, MK_LBUTTON, origin, &effect));
    effect = DROPEFFECT_COPY;
    CheckResult(target->DragOver(MK_LBUTTON, origin, &effect));
    effect = DROPEFFECT_COPY;
    return target->Drop(dataObject, MK_LBUTTON, origin, &effect);
}
