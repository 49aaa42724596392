#include "shell/dragdrop/DragDropAbilities.h"

#include "platform/EPlatformError.h"
#include "shell/shell95/OleConstants.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/ClipboardFormats.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/StgMedium.h"

#include <vector>

std::uint32_t DragDropAbilitiesOf(IDataObject* dataObject)
{
    constexpr std::uint32_t kAll = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    if (!dataObject)
        return kAll;
    TFormatEtc format;
    format.cfFormat = CF_SHELLIDLIST();
    TStgMedium medium;
    if (Failed(dataObject->QueryGetData(&format)) || Failed(dataObject->GetData(&format, &medium)))
        return kAll;
    TIdListArrayData array;
    const bool read = medium.tymed == TYMED_HGLOBAL && ReadIdListArray(medium.hGlobal, array);
    ReleaseStgMedium(&medium);
    if (!read)
        return kAll;

    TComPtr<IShellFolder> parent;
    CheckResult(ShellGetFolderFromIdList(reinterpret_cast<PCItemIDList>(array.parent.constData()),
                                         parent.put()));
    std::vector<PCItemIDList> items;
    for (const QByteArray& item : array.items)
        items.push_back(reinterpret_cast<PCItemIDList>(item.constData()));
    std::uint32_t attributes = kAll;
    parent->GetAttributesOf(static_cast<std::uint32_t>(items.size()), items.data(), &attributes);
    return attributes & kAll;
}
