#include "shell/utils/TPTIdListArray.h"

#include "platform/EPlatformError.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"

#include <cstring>

TPTIdListArray::TPTIdListArray(PCItemIDList idList) : m_idList(idList) {}

TPTIdListArray::~TPTIdListArray()
{
    freeScratch();
}

void TPTIdListArray::freeScratch()
{
    ShellMemFree(m_scratch);
    m_scratch = nullptr;
}

int TPTIdListArray::GetCount() const
{
    return IdListItemCount(m_idList);
}

PItemIDList TPTIdListArray::GetItem(int index)
{
    freeScratch();
    const int count = GetCount();
    if (!m_idList || index < 0 || (index >= count && count != 0))
        throw EPlatformError(QStringLiteral("TPTIdListArray - index %1 out of range").arg(index));
    if (count == 0)
        return index == 0 ? (m_scratch = CopyIdList(nullptr, nullptr)) : nullptr;
    PCItemIDList item = m_idList;
    for (int i = 0; i < index; ++i)
        item = IdListNext(item);
    const std::uint16_t cb = ItemIdSize(item);
    auto* copy = static_cast<std::uint8_t*>(ShellMemAlloc(cb + 2u));
    if (!copy)
        return nullptr;
    std::memcpy(copy, item, cb);
    SetItemIdSize(copy + cb, 0);
    m_scratch = reinterpret_cast<PItemIDList>(copy);
    return m_scratch;
}

PItemIDList TPTIdListArray::GoUp(int levels)
{
    freeScratch();
    if (!m_idList)
        return nullptr;
    const int count = GetCount();
    const int keep = count - levels;
    if (keep < 0 || keep > count)
        return nullptr;
    std::size_t bytes = 0;
    PCItemIDList p = m_idList;
    for (int i = 0; i < keep; ++i) {
        bytes += ItemIdSize(p);
        p = IdListNext(p);
    }
    auto* copy = static_cast<std::uint8_t*>(ShellMemAlloc(bytes + 2));
    if (!copy)
        return nullptr;
    std::memcpy(copy, m_idList, bytes);
    SetItemIdSize(copy + bytes, 0);
    m_scratch = reinterpret_cast<PItemIDList>(copy);
    return m_scratch;
}
