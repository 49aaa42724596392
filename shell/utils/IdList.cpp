#include "shell/utils/IdList.h"

#include "shell/namespace/Desktop.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/ShellMalloc.h"

#include <algorithm>
#include <cstring>

namespace
{

const std::uint8_t* bytesOf(PCItemIDList idList)
{
    return reinterpret_cast<const std::uint8_t*>(idList);
}

void* allocate(IMalloc* malloc, std::size_t size)
{
    return malloc ? malloc->Alloc(size) : ShellMemAlloc(size);
}

} // namespace

int IdListLen(PCItemIDList idList)
{
    if (!idList)
        return 0;
    const std::uint8_t* p = bytesOf(idList);
    int len = 0;
    for (std::uint16_t cb = ItemIdSize(p); cb != 0; cb = ItemIdSize(p + len))
        len += cb;
    return len + 2;
}

PItemIDList CopyIdList(IMalloc* malloc, PCItemIDList idList)
{
    const int n = std::max(IdListLen(idList) - 2, 0);
    auto* copy = static_cast<std::uint8_t*>(allocate(malloc, static_cast<std::size_t>(n) + 2));
    if (!copy)
        return nullptr;
    if (n > 0)
        std::memcpy(copy, idList, static_cast<std::size_t>(n));
    SetItemIdSize(copy + n, 0);
    return reinterpret_cast<PItemIDList>(copy);
}

PItemIDList ConcatIdLists(IMalloc* malloc, PCItemIDList first, PCItemIDList second)
{
    const int a = std::max(IdListLen(first) - 2, 0);
    const int b = std::max(IdListLen(second) - 2, 0);
    auto* result =
        static_cast<std::uint8_t*>(allocate(malloc, static_cast<std::size_t>(a + b) + 2));
    if (!result)
        return nullptr;
    if (a > 0)
        std::memcpy(result, first, static_cast<std::size_t>(a));
    if (b > 0)
        std::memcpy(result + a, second, static_cast<std::size_t>(b));
    SetItemIdSize(result + a + b, 0);
    return reinterpret_cast<PItemIDList>(result);
}

int CompareAbsIdLists(PCItemIDList idList1, PCItemIDList idList2)
{
    if (!idList1 || !idList2)
        return (!idList1 && !idList2) ? 0 : -1;
    const bool empty1 = IdListIsEmpty(idList1);
    const bool empty2 = IdListIsEmpty(idList2);
    if (empty1 || empty2)
        return (empty1 && empty2) ? 0 : -1;
    TComPtr<IShellFolder> desktop;
    if (Failed(SHGetDesktopFolder(desktop.put())))
        return kCompareIdListsFailed;
    const HRESULT hr = desktop->CompareIDs(0, idList1, idList2);
    if (Failed(hr))
        return kCompareIdListsFailed;
    return ShortFromResult(hr);
}

bool IdListIsEmpty(PCItemIDList idList)
{
    return !idList || ItemIdSize(idList) == 0;
}

PCItemIDList IdListNext(PCItemIDList item)
{
    if (IdListIsEmpty(item))
        return nullptr;
    return reinterpret_cast<PCItemIDList>(bytesOf(item) + ItemIdSize(item));
}

int IdListItemCount(PCItemIDList idList)
{
    int count = 0;
    for (PCItemIDList p = idList; !IdListIsEmpty(p); p = IdListNext(p))
        ++count;
    return count;
}

PCItemIDList IdListLastItem(PCItemIDList idList)
{
    PCItemIDList last = nullptr;
    for (PCItemIDList p = idList; !IdListIsEmpty(p); p = IdListNext(p))
        last = p;
    return last;
}

bool IsValidIdListData(const void* data, std::size_t size)
{
    if (!data || size < 2)
        return false;
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const std::uint16_t cb = ItemIdSize(p + pos);
        if (cb == 0)
            return pos + 2 == size;
        if (cb < 3 || pos + cb > size - 2)
            return false;
        pos += cb;
    }
    return false;
}

QByteArray IdListToBytes(PCItemIDList idList)
{
    return QByteArray(reinterpret_cast<const char*>(idList), IdListLen(idList));
}

PItemIDList IdListFromBytes(IMalloc* malloc, const QByteArray& bytes)
{
    if (!IsValidIdListData(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        return nullptr;
    void* copy = allocate(malloc, static_cast<std::size_t>(bytes.size()));
    if (copy)
        std::memcpy(copy, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return static_cast<PItemIDList>(copy);
}

QByteArray EnsureTrailingCharDB(const QByteArray& text, char ch)
{
    if (text.isEmpty())
        return text;
    const auto last = static_cast<unsigned char>(text.back());
    if (last < 0x80 && text.back() == ch)
        return text;
    return text + ch;
}

QString EnsureTrailingCharDB(const QString& text, QChar ch)
{
    if (text.isEmpty() || text.back() == ch)
        return text;
    return text + ch;
}
