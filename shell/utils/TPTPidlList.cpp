#include "shell/utils/TPTPidlList.h"

#include "platform/EPlatformError.h"
#include "shell/utils/IdList.h"

#include <algorithm>
#include <cstring>

int CompareIdListBytes(PCItemIDList a, PCItemIDList b)
{
    const int lenA = IdListLen(a);
    const int lenB = IdListLen(b);
    const int n = std::min(lenA, lenB);
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    for (int i = 0; i < n; ++i)
        if (pa[i] != pb[i])
            return pa[i] - pb[i];
    return lenA - lenB;
}

TPTPidlList::~TPTPidlList()
{
    Clear();
}

void TPTPidlList::checkIndex(int index, bool allowEnd) const
{
    if (index < 0 || index > GetCount() || (index == GetCount() && !allowEnd))
        throw EPlatformError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TPTPidlList::freeList(PItemIDList idList)
{
    if (m_malloc && idList)
        m_malloc->Free(idList);
}

PItemIDList TPTPidlList::GetPIDL(int index) const
{
    checkIndex(index);
    return m_pairs[static_cast<size_t>(index)].idList;
}

void TPTPidlList::SetPIDL(int index, PItemIDList idList)
{
    checkIndex(index);
    PItemIDList& slot = m_pairs[static_cast<size_t>(index)].idList;
    if (slot != idList)
        freeList(slot);
    slot = idList;
}

void* TPTPidlList::GetObject(int index) const
{
    checkIndex(index);
    return m_pairs[static_cast<size_t>(index)].object;
}

void TPTPidlList::SetObject(int index, void* object)
{
    checkIndex(index);
    m_pairs[static_cast<size_t>(index)].object = object;
}

int TPTPidlList::Compare(PCItemIDList a, PCItemIDList b) const
{
    if (m_shellFolder)
        return ShortFromResult(m_shellFolder->CompareIDs(0, a, b));
    return CompareIdListBytes(a, b);
}

void TPTPidlList::SetSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    if (sorted)
        Sort();
    m_sorted = sorted;
}

void TPTPidlList::Sort()
{
    // The comparison folder travels with the lambda, so sorts and searches of
    // different containers may nest freely.
    std::sort(m_pairs.begin(), m_pairs.end(),
              [this](const Pair& x, const Pair& y) { return Compare(x.idList, y.idList) < 0; });
}

bool TPTPidlList::BinarySearch(PCItemIDList idList, int& index) const
{
    bool found = false;
    int lo = 0;
    int hi = GetCount() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int r = Compare(m_pairs[static_cast<size_t>(mid)].idList, idList);
        if (r < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (r == 0) {
                found = true;
                if (m_duplicates != ptdupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

bool TPTPidlList::LinearSearch(PCItemIDList idList, int& index) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (Compare(m_pairs[static_cast<size_t>(i)].idList, idList) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}

int TPTPidlList::IndexOf(PCItemIDList idList) const
{
    int index = -1;
    const bool found = m_sorted ? BinarySearch(idList, index) : LinearSearch(idList, index);
    return found ? index : -1;
}

int TPTPidlList::AddObject(PItemIDList idList, void* object)
{
    int index = GetCount();
    if (m_sorted && BinarySearch(idList, index)) {
        if (m_duplicates == ptdupIgnore)
            return index;
        if (m_duplicates == ptdupError)
            throw EPlatformError(QStringLiteral("TPTPidlList: Duplicate PIDL"));
    }
    InsertObject(index, idList, object);
    return index;
}

void TPTPidlList::InsertObject(int index, PItemIDList idList, void* object)
{
    checkIndex(index, true);
    m_pairs.insert(m_pairs.begin() + index, Pair{idList, object});
}

void TPTPidlList::Delete(int index)
{
    checkIndex(index);
    freeList(m_pairs[static_cast<size_t>(index)].idList);
    m_pairs.erase(m_pairs.begin() + index);
}

void TPTPidlList::Clear()
{
    for (const Pair& pair : m_pairs)
        freeList(pair.idList);
    m_pairs.clear();
}

void TPTPidlList::SetCapacity(int capacity)
{
    if (capacity > GetCount())
        m_pairs.reserve(static_cast<size_t>(capacity));
}
