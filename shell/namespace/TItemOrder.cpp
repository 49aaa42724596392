#include "shell/namespace/TItemOrder.h"

#include "shell/namespace/FileTypes.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NaturalCompare.h"
#include "shell/namespace/TFileSystemFolder.h"
#include "shell/utils/IdList.h"

#include <QString>

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>

namespace
{

// One decoded entry. Ties go to the name, as in CompareFileSystemItems.
struct Key {
    std::string_view name;
    std::string_view sortKey; // AppendNaturalSortKey of the name
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    int typeRank = 0;
    bool folder = false;
    int index = 0;
};

bool isOwnEntry(PCItemIDList item, ItemData::View& view)
{
    return ItemData::Read(item, view) && view.kind == ItemData::KindFileSystem &&
           IdListIsEmpty(IdListNext(item));
}

// The first item claims to be a file-system entry (kind byte only).
bool firstIsEntry(PCItemIDList list)
{
    if (!list || ItemIdSize(list) < 3)
        return false;
    return reinterpret_cast<const std::uint8_t*>(list)[2] == ItemData::KindFileSystem;
}

// The lower-case extension FileTypes keys its types by; empty for none.
std::string extensionOf(std::string_view name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return std::string();
    std::string ext(name.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return ext;
}

// Ranks of the type names, so the sort compares integers: one type-name
// lookup per extension, and names equal without regard to case share a rank.
void rankTypes(std::vector<Key>& keys)
{
    std::unordered_map<std::string, int> slotOfExtension;
    std::vector<QString> typeNames;
    std::vector<int> slotOfKey(keys.size(), -1);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].folder)
            continue;
        const std::string ext = extensionOf(keys[i].name);
        auto [it, added] = slotOfExtension.try_emplace(ext, static_cast<int>(typeNames.size()));
        if (added)
            typeNames.push_back(FileTypes::TypeNameOf(keys[i].name, false));
        slotOfKey[i] = it->second;
    }
    std::vector<int> slotOrder(typeNames.size());
    std::iota(slotOrder.begin(), slotOrder.end(), 0);
    const auto byName = [&](int a, int b) {
        return typeNames[size_t(a)].compare(typeNames[size_t(b)], Qt::CaseInsensitive) < 0;
    };
    std::sort(slotOrder.begin(), slotOrder.end(), byName);
    std::vector<int> rankOfSlot(slotOrder.size());
    int rank = 0;
    for (size_t i = 0; i < slotOrder.size(); ++i) {
        if (i > 0 && byName(slotOrder[i - 1], slotOrder[i]))
            ++rank;
        rankOfSlot[size_t(slotOrder[i])] = rank;
    }
    for (size_t i = 0; i < keys.size(); ++i)
        if (slotOfKey[i] >= 0)
            keys[i].typeRank = rankOfSlot[size_t(slotOfKey[i])];
}

// CompareFileSystemItems over decoded keys.
int compareKeys(int column, const Key& a, const Key& b)
{
    if (a.folder != b.folder)
        return a.folder ? -1 : 1;
    switch (column) {
    case 1:
        if (!a.folder && a.size != b.size)
            return a.size < b.size ? -1 : 1;
        break;
    case 2:
        if (!a.folder && a.typeRank != b.typeRank)
            return a.typeRank < b.typeRank ? -1 : 1;
        break;
    case 3:
        if (a.mtimeNs != b.mtimeNs)
            return a.mtimeNs < b.mtimeNs ? -1 : 1;
        break;
    default:
        break;
    }
    const int r = a.sortKey.compare(b.sortKey);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace

TItemOrder::TItemOrder(IShellFolder* folder, int column)
    : m_folder(TComPtr<IShellFolder>::share(folder)), m_column(column & 0xFFFF),
      m_fileSystem(dynamic_cast<TFileSystemFolder*>(folder) != nullptr)
{
}

int TItemOrder::Compare(PCItemIDList a, PCItemIDList b) const
{
    if (!m_folder)
        return 0;
    const HRESULT hr = m_folder->CompareIDs(m_column, a, b);
    return Failed(hr) ? 0 : ShortFromResult(hr);
}

bool TItemOrder::Same(PCItemIDList a, PCItemIDList b) const
{
    if (m_fileSystem && firstIsEntry(a) && firstIsEntry(b)) {
        // The size of an entry's item follows from its name: entries of
        // different sizes differ in name, and the folder would compare them
        // unequal at the first level (or fail to read one).
        if (ItemIdSize(a) != ItemIdSize(b))
            return false;
        ItemData::View viewA;
        ItemData::View viewB;
        if (isOwnEntry(a, viewA) && isOwnEntry(b, viewB))
            return ((viewA.flags ^ viewB.flags) & ItemData::FsFolder) == 0 &&
                   viewA.text == viewB.text;
    }
    return m_folder && m_folder->CompareIDs(m_column, a, b) == ResultFromShort(0);
}

std::vector<int> TItemOrder::SortedIndexes(const std::vector<PCItemIDList>& items,
                                           bool descending) const
{
    std::vector<Key> keys;
    bool decoded = m_fileSystem;
    if (decoded) {
        keys.reserve(items.size());
        for (size_t i = 0; i < items.size() && decoded; ++i) {
            ItemData::View view;
            decoded = isOwnEntry(items[i], view);
            Key key;
            key.name = view.text;
            key.size = view.size;
            key.mtimeNs = view.mtimeNs;
            key.folder = view.flags & ItemData::FsFolder;
            key.index = static_cast<int>(i);
            keys.push_back(key);
        }
    }
    std::vector<int> order(items.size());
    if (decoded) {
        // The names' sort keys share one buffer, filled before any view into it is taken.
        std::string keyBytes;
        std::vector<size_t> keyEnds;
        keyEnds.reserve(keys.size());
        for (const Key& key : keys) {
            AppendNaturalSortKey(key.name, keyBytes);
            keyEnds.push_back(keyBytes.size());
        }
        for (size_t i = 0, start = 0; i < keys.size(); start = keyEnds[i++])
            keys[i].sortKey = std::string_view(keyBytes).substr(start, keyEnds[i] - start);
        if (m_column == 2)
            rankTypes(keys);
        const int sign = descending ? -1 : 1;
        std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
            const int r = compareKeys(m_column, a, b) * sign;
            return r != 0 ? r < 0 : a.index < b.index;
        });
        for (size_t i = 0; i < keys.size(); ++i)
            order[i] = keys[i].index;
        return order;
    }
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int r = Compare(items[size_t(a)], items[size_t(b)]);
        return descending ? r > 0 : r < 0;
    });
    return order;
}
