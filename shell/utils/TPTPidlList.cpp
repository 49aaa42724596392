#include "shell/utils/TPTPidlList.h"

#include "platform/EPlatformError.h"
#include "shell/namespace/TItemOrder.h"
#include "shell/utils/IdList.h"

#include <algorithm>
#include <cmath>
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

void TPTPidlList::settle() const
{
    if (m_pending.empty())
        return;
    std::vector<Pair> merged;
    merged.reserve(std::max(m_pairs.capacity(), m_pairs.size() + m_pending.size()));
    auto pending = m_pending.begin();
    for (size_t i = 0; i <= m_pairs.size(); ++i) {
        while (pending != m_pending.end() && static_cast<size_t>(pending->place) <= i)
            merged.push_back((pending++)->pair);
        if (i < m_pairs.size())
            merged.push_back(m_pairs[i]);
    }
    m_pairs.swap(merged);
    m_pending.clear();
}

PItemIDList TPTPidlList::GetPIDL(int index) const
{
    settle();
    checkIndex(index);
    return m_pairs[static_cast<size_t>(index)].idList;
}

void TPTPidlList::SetPIDL(int index, PItemIDList idList)
{
    settle();
    checkIndex(index);
    PItemIDList& slot = m_pairs[static_cast<size_t>(index)].idList;
    if (slot != idList)
        freeList(slot);
    slot = idList;
}

void* TPTPidlList::GetObject(int index) const
{
    settle();
    checkIndex(index);
    return m_pairs[static_cast<size_t>(index)].object;
}

void TPTPidlList::SetObject(int index, void* object)
{
    settle();
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
    settle();
    // The comparison folder travels with the order object, so sorts and
    // searches of different containers may nest freely.
    if (m_shellFolder) {
        std::vector<PCItemIDList> lists;
        lists.reserve(m_pairs.size());
        for (const Pair& pair : m_pairs)
            lists.push_back(pair.idList);
        const std::vector<int> order = TItemOrder(m_shellFolder.get(), 0).SortedIndexes(lists);
        std::vector<Pair> sorted;
        sorted.reserve(m_pairs.capacity());
        for (int i : order)
            sorted.push_back(m_pairs[static_cast<size_t>(i)]);
        m_pairs.swap(sorted);
        return;
    }
    std::sort(m_pairs.begin(), m_pairs.end(), [](const Pair& x, const Pair& y) {
        return CompareIdListBytes(x.idList, y.idList) < 0;
    });
}

template <typename Range, typename ListOf>
bool TPTPidlList::search(const Range& range, ListOf listOf, PCItemIDList idList, int& index) const
{
    bool found = false;
    int lo = 0;
    int hi = static_cast<int>(range.size()) - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int r = Compare(listOf(range[static_cast<size_t>(mid)]), idList);
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

bool TPTPidlList::BinarySearch(PCItemIDList idList, int& index) const
{
    settle();
    return search(
        m_pairs, [](const Pair& p) { return p.idList; }, idList, index);
}

bool TPTPidlList::LinearSearch(PCItemIDList idList, int& index) const
{
    settle();
    if (m_shellFolder) {
        // Entries of a file-system folder are told apart without a call per entry.
        const TItemOrder order(m_shellFolder.get(), 0);
        for (size_t i = 0; i < m_pairs.size(); ++i) {
            if (order.Same(m_pairs[i].idList, idList)) {
                index = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        if (CompareIdListBytes(m_pairs[i].idList, idList) == 0) {
            index = static_cast<int>(i);
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
    if (!m_sorted) {
        InsertObject(GetCount(), idList, object);
        return GetCount() - 1;
    }
    // A short run keeps each addition cheap; settling costs a pass over all pairs.
    const auto runLimit = static_cast<size_t>(std::max(64.0, std::sqrt(double(m_pairs.size()))));
    if (m_pending.size() >= runLimit)
        settle();
    int place = 0;
    int inRun = 0;
    const bool found =
        search(
            m_pairs, [](const Pair& p) { return p.idList; }, idList, place) |
        search(
            m_pending, [](const PendingPair& p) { return p.pair.idList; }, idList, inRun);
    // Pairs of the run that sort before the new one lie before it, whatever their place.
    const int index = place + inRun;
    if (found) {
        if (m_duplicates == ptdupIgnore)
            return index;
        if (m_duplicates == ptdupError)
            throw EPlatformError(QStringLiteral("TPTPidlList: Duplicate PIDL"));
    }
    m_pending.insert(m_pending.begin() + inRun, PendingPair{place, Pair{idList, object}});
    return index;
}

void TPTPidlList::InsertObject(int index, PItemIDList idList, void* object)
{
    settle();
    checkIndex(index, true);
    m_pairs.insert(m_pairs.begin() + index, Pair{idList, object});
}

void TPTPidlList::Delete(int index)
{
    settle();
    checkIndex(index);
    freeList(m_pairs[static_cast<size_t>(index)].idList);
    m_pairs.erase(m_pairs.begin() + index);
}

void TPTPidlList::Clear()
{
    settle();
    for (const Pair& pair : m_pairs)
        freeList(pair.idList);
    m_pairs.clear();
}

int TPTPidlList::GetCapacity() const
{
    settle();
    return static_cast<int>(m_pairs.capacity());
}

void TPTPidlList::SetCapacity(int capacity)
{
    settle();
    if (capacity > GetCount())
        m_pairs.reserve(static_cast<size_t>(capacity));
}

void TPTPidlList::RemoveCommonEntries(
    TPTPidlList& refreshed,
    const std::function<void(void* objectHere, void* objectThere)>& onCommon)
{
    if (!m_sorted)
        SetSorted(true);
    settle();
    refreshed.settle();
    std::vector<PCItemIDList> lists;
    lists.reserve(refreshed.m_pairs.size());
    for (const Pair& pair : refreshed.m_pairs)
        lists.push_back(pair.idList);
    std::vector<int> order;
    if (m_shellFolder) {
        order = TItemOrder(m_shellFolder.get(), 0).SortedIndexes(lists);
    } else {
        order.resize(lists.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return CompareIdListBytes(lists[size_t(a)], lists[size_t(b)]) < 0;
        });
    }
    std::vector<bool> keepHere(m_pairs.size(), true);
    std::vector<bool> keepThere(lists.size(), true);
    size_t i = 0;
    size_t j = 0;
    while (i < m_pairs.size() && j < order.size()) {
        const auto k = static_cast<size_t>(order[j]);
        const int r = Compare(m_pairs[i].idList, lists[k]);
        if (r < 0) {
            ++i;
        } else if (r > 0) {
            ++j;
        } else {
            if (onCommon)
                onCommon(m_pairs[i].object, refreshed.m_pairs[k].object);
            keepHere[i++] = false;
            keepThere[k] = false;
            ++j;
        }
    }
    const auto compact = [](TPTPidlList& list, const std::vector<bool>& keep) {
        size_t out = 0;
        for (size_t n = 0; n < list.m_pairs.size(); ++n) {
            if (keep[n])
                list.m_pairs[out++] = list.m_pairs[n];
            else
                list.freeList(list.m_pairs[n].idList);
        }
        list.m_pairs.resize(out);
    };
    compact(*this, keepHere);
    compact(refreshed, keepThere);
}
