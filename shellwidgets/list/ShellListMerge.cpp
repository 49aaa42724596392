#include "shellwidgets/list/ShellListMerge.h"

#include "platform/ResultCodes.h"
#include "shell/namespace/ItemData.h"
#include "shell/utils/IdList.h"
#include "shell/utils/TPTPidlList.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace
{

// What stays the same while an item lives: for a file-system entry its kind
// byte and name, for anything else all its bytes.
std::string_view IdentityOf(PCItemIDList list)
{
    const auto* bytes = reinterpret_cast<const char*>(list);
    ItemData::View view;
    if (IdListItemCount(list) == 1 && ItemData::Read(list, view) &&
        view.kind == ItemData::KindFileSystem)
        return std::string_view(view.text.data(), view.text.size());
    return std::string_view(bytes, size_t(IdListLen(list)));
}

template <typename Compare>
ShellListMerge::TResult MergeSorted(int oldCount, int newCount, Compare compare)
{
    // compare(side a, index a, side b, index b) < 0, 0, > 0; side 0 old, 1 new.
    std::vector<int> oldOrder(static_cast<size_t>(oldCount));
    std::vector<int> newOrder(static_cast<size_t>(newCount));
    std::iota(oldOrder.begin(), oldOrder.end(), 0);
    std::iota(newOrder.begin(), newOrder.end(), 0);
    std::sort(oldOrder.begin(), oldOrder.end(),
              [&](int a, int b) { return compare(0, a, 0, b) < 0; });
    std::sort(newOrder.begin(), newOrder.end(),
              [&](int a, int b) { return compare(1, a, 1, b) < 0; });
    ShellListMerge::TResult result;
    size_t i = 0, j = 0;
    while (i < oldOrder.size() || j < newOrder.size()) {
        int c;
        if (i == oldOrder.size())
            c = 1;
        else if (j == newOrder.size())
            c = -1;
        else
            c = compare(0, oldOrder[i], 1, newOrder[j]);
        if (c < 0) {
            result.vanished.push_back(oldOrder[i++]);
        } else if (c > 0) {
            result.added.push_back(newOrder[j++]);
        } else {
            result.changed.emplace_back(oldOrder[i++], newOrder[j++]);
        }
    }
    std::sort(result.vanished.begin(), result.vanished.end());
    std::sort(result.added.begin(), result.added.end());
    return result;
}

} // namespace

namespace ShellListMerge
{

TResult Merge(const std::vector<PCItemIDList>& oldLists, const std::vector<PCItemIDList>& newLists,
              IShellFolder* compareFolder)
{
    const std::vector<PCItemIDList>* sides[2] = {&oldLists, &newLists};
    TResult result;
    if (compareFolder) {
        result = MergeSorted(
            int(oldLists.size()), int(newLists.size()), [&](int sa, int a, int sb, int b) {
                const HRESULT hr =
                    compareFolder->CompareIDs(0, (*sides[sa])[size_t(a)], (*sides[sb])[size_t(b)]);
                // A comparison that fails must still order, or the
                // sort would have no consistent order to keep.
                if (Failed(hr))
                    return CompareIdListBytes((*sides[sa])[size_t(a)], (*sides[sb])[size_t(b)]);
                return int(ShortFromResult(hr));
            });
    } else {
        std::vector<std::string_view> keys[2];
        for (int s = 0; s < 2; ++s) {
            keys[s].reserve(sides[s]->size());
            for (PCItemIDList list : *sides[s])
                keys[s].push_back(IdentityOf(list));
        }
        result = MergeSorted(int(oldLists.size()), int(newLists.size()),
                             [&](int sa, int a, int sb, int b) {
                                 return keys[sa][size_t(a)].compare(keys[sb][size_t(b)]);
                             });
    }
    // Pairs whose bytes are equal are unchanged; keep only real changes.
    std::erase_if(result.changed, [&](const std::pair<int, int>& pair) {
        return CompareIdListBytes(oldLists[size_t(pair.first)], newLists[size_t(pair.second)]) == 0;
    });
    return result;
}

} // namespace ShellListMerge
