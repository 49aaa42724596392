#include "shell/namespace/TItemOrder.h"

#include "shell/namespace/FileTypes.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NaturalCompare.h"
#include "shell/namespace/TFileSystemFolder.h"
#include "shell/utils/IdList.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <string>
#include <unordered_map>

namespace
{

// One decoded entry: its whole order in one string of bytes (folder or not,
// then the column's value, then the name's natural sort key), so the sort
// compares bytes only.
struct Key {
    std::string_view bytes;
    int index = 0;
};

// Byte order of two keys, eight bytes at a time: the keys of one folder
// share long beginnings ("file_" and the length of a number), and a call of
// memcmp per comparison costs more than the comparison itself.
int compareKeyBytes(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x != y) {
                x = __builtin_bswap64(x);
                y = __builtin_bswap64(y);
                return x < y ? -1 : 1;
            }
        }
    }
    for (; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

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

// Ranks of the entries' type names, so the keys hold integers: one type-name
// lookup per extension, and names equal without regard to case share a rank.
std::vector<int> typeRanks(const std::vector<ItemData::View>& views)
{
    std::unordered_map<std::string, int> slotOfExtension;
    std::vector<QString> typeNames;
    std::vector<int> slotOfView(views.size(), -1);
    for (size_t i = 0; i < views.size(); ++i) {
        if (views[i].flags & ItemData::FsFolder)
            continue;
        const std::string ext = extensionOf(views[i].text);
        auto [it, added] = slotOfExtension.try_emplace(ext, static_cast<int>(typeNames.size()));
        if (added)
            typeNames.push_back(FileTypes::TypeNameOf(views[i].text, false));
        slotOfView[i] = it->second;
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
    std::vector<int> ranks(views.size(), 0);
    for (size_t i = 0; i < views.size(); ++i)
        if (slotOfView[i] >= 0)
            ranks[i] = rankOfSlot[size_t(slotOfView[i])];
    return ranks;
}

void appendBigEndian(std::string& out, std::uint64_t value)
{
    for (int shift = 56; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// The bytes of CompareFileSystemItems(column): folders first, then (files
// only for size and type) the column's value, then the name.
void appendKey(std::string& out, int column, const ItemData::View& view, int typeRank)
{
    const bool folder = view.flags & ItemData::FsFolder;
    out.push_back(folder ? '\0' : '\1');
    switch (column) {
    case 1:
        appendBigEndian(out, folder ? 0 : view.size);
        break;
    case 2:
        appendBigEndian(out, folder ? 0 : static_cast<std::uint64_t>(typeRank));
        break;
    case 3:
        // Signed order as unsigned bytes: flip the sign bit.
        appendBigEndian(out, static_cast<std::uint64_t>(view.mtimeNs) ^ (std::uint64_t(1) << 63));
        break;
    default:
        break;
    }
    AppendNaturalSortKey(view.text, out);
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
        // Entries differing in size, folder flag or name bytes are different
        // entries to the folder as well (or one it cannot read at all), so
        // those are told apart from the raw bytes, with no decoding.
        const std::uint16_t size = ItemIdSize(a);
        if (size != ItemIdSize(b))
            return false;
        const auto* pa = reinterpret_cast<const std::uint8_t*>(a);
        const auto* pb = reinterpret_cast<const std::uint8_t*>(b);
        if (size > ItemData::kFsHeaderSize &&
            (((pa[3] ^ pb[3]) & ItemData::FsFolder) ||
             std::memcmp(pa + ItemData::kFsHeaderSize, pb + ItemData::kFsHeaderSize,
                         size - ItemData::kFsHeaderSize) != 0))
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
    std::vector<ItemData::View> views;
    bool decoded = m_fileSystem;
    if (decoded) {
        views.resize(items.size());
        for (size_t i = 0; i < items.size() && decoded; ++i)
            decoded = isOwnEntry(items[i], views[i]);
    }
    std::vector<int> order(items.size());
    if (decoded) {
        const std::vector<int> ranks = m_column == 2 ? typeRanks(views) : std::vector<int>();
        // All keys share one buffer, filled before any view into it is taken.
        std::string keyBytes;
        keyBytes.reserve(items.size() * 64);
        std::vector<size_t> keyEnds(items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            appendKey(keyBytes, m_column, views[i], ranks.empty() ? 0 : ranks[i]);
            keyEnds[i] = keyBytes.size();
        }
        std::vector<Key> keys(items.size());
        for (size_t i = 0, start = 0; i < items.size(); start = keyEnds[i++])
            keys[i] = Key{std::string_view(keyBytes).substr(start, keyEnds[i] - start), int(i)};
        std::sort(keys.begin(), keys.end(), [descending](const Key& a, const Key& b) {
            const int r = compareKeyBytes(a.bytes, b.bytes);
            if (r != 0)
                return descending ? r > 0 : r < 0;
            return a.index < b.index;
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
