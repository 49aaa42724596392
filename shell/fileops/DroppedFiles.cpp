#include "shell/fileops/DroppedFiles.h"

#include "platform/FileNameCodec.h"
#include "shell/utils/ClipboardFormats.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/StgMedium.h"
#include "shell/utils/TIdListPtr.h"

namespace
{

bool readBlock(IDataObject* dataObject, std::uint16_t number, QByteArray& bytes)
{
    TFormatEtc format;
    format.cfFormat = number;
    TStgMedium medium;
    if (Failed(dataObject->QueryGetData(&format)) || Failed(dataObject->GetData(&format, &medium)))
        return false;
    const bool ok = medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (ok)
        bytes = BytesOfGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return ok;
}

} // namespace

QList<QByteArray> DroppedFilePaths(IDataObject* dataObject)
{
    QList<QByteArray> paths;
    if (!dataObject)
        return paths;
    QByteArray bytes;
    if (readBlock(dataObject, CF_HDROP, bytes) &&
        ReadFileDropBlock(bytes.constData(), std::size_t(bytes.size()), paths) && !paths.isEmpty())
        return paths;
    paths.clear();
    TIdListArrayData array;
    if (!readBlock(dataObject, CF_SHELLIDLIST(), bytes) ||
        !ReadIdListArray(bytes.constData(), std::size_t(bytes.size()), array))
        return paths;
    return PathsOfIdListArray(array);
}

QList<QByteArray> PathsOfIdListArray(const TIdListArrayData& array)
{
    QList<QByteArray> paths;
    const auto parent = reinterpret_cast<PCItemIDList>(array.parent.constData());
    for (const QByteArray& item : array.items) {
        TIdListPtr absolute(
            ConcatIdLists(nullptr, parent, reinterpret_cast<PCItemIDList>(item.constData())));
        const QString path = absolute ? ShellGetPathFromIdList(absolute.get()) : QString();
        if (!path.isEmpty())
            paths.append(FileNameFromString(path));
    }
    return paths;
}
