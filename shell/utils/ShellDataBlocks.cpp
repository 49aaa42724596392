#include "shell/utils/ShellDataBlocks.h"

#include "platform/FileNameCodec.h"
#include "shell/utils/IdList.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace
{

constexpr std::uint32_t kDropHeaderSize = 20;
constexpr std::size_t kNameSlot = 260;

void putU32(unsigned char* at, std::uint32_t v)
{
    at[0] = static_cast<unsigned char>(v);
    at[1] = static_cast<unsigned char>(v >> 8);
    at[2] = static_cast<unsigned char>(v >> 16);
    at[3] = static_cast<unsigned char>(v >> 24);
}

std::uint32_t getU32(const unsigned char* at)
{
    return std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16) |
           (std::uint32_t(at[3]) << 24);
}

const unsigned char kEmptyList[2] = {0, 0};

// The length of a list starting at `offset`, terminator included, when the
// whole list lies inside the block and is well formed; 0 otherwise.
std::size_t listLengthWithin(const unsigned char* data, std::size_t size, std::size_t offset)
{
    std::size_t at = offset;
    while (at + 2 <= size) {
        const std::uint16_t cb = ItemIdSize(data + at);
        if (cb == 0) {
            const std::size_t length = at + 2 - offset;
            return IsValidIdListData(data + offset, length) ? length : 0;
        }
        if (cb < 3)
            return 0;
        at += cb;
    }
    return 0;
}

} // namespace

HRESULT BuildIdListArray(PCItemIDList parent, const QList<PCItemIDList>& items, HGLOBAL* block)
{
    *block = nullptr;
    const void* parentData = parent ? static_cast<const void*>(parent) : kEmptyList;
    const std::size_t parentLen = parent ? std::size_t(IdListLen(parent)) : 2;
    const std::size_t n = std::size_t(items.size());
    std::size_t size = parentLen + 4 * n + 8;
    for (PCItemIDList item : items)
        size += item ? std::size_t(IdListLen(item)) : 2;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    if (!memory)
        return E_OUTOFMEMORY;
    auto* data = static_cast<unsigned char*>(GlobalLock(memory));
    putU32(data, static_cast<std::uint32_t>(n));
    std::size_t offset = 8 + 4 * n;
    putU32(data + 4, static_cast<std::uint32_t>(offset));
    std::memcpy(data + offset, parentData, parentLen);
    offset += parentLen;
    for (std::size_t k = 0; k < n; ++k) {
        PCItemIDList item = items[qsizetype(k)];
        const std::size_t len = item ? std::size_t(IdListLen(item)) : 2;
        putU32(data + 8 + 4 * k, static_cast<std::uint32_t>(offset));
        std::memcpy(data + offset, item ? static_cast<const void*>(item) : kEmptyList, len);
        offset += len;
    }
    GlobalUnlock(memory);
    *block = memory;
    return S_OK;
}

HRESULT BuildFileDropBlock(const QList<QByteArray>& names, HGLOBAL* block)
{
    *block = nullptr;
    std::size_t needed = kDropHeaderSize + 1;
    for (const QByteArray& name : names)
        needed += std::size_t(name.size()) + 1;
    const std::size_t size = std::max(std::size_t(names.size()) * kNameSlot + 21, needed);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    if (!memory)
        return E_OUTOFMEMORY;
    auto* data = static_cast<unsigned char*>(GlobalLock(memory));
    putU32(data, kDropHeaderSize); // drop point, non-client and wide flag stay 0
    std::size_t at = kDropHeaderSize;
    for (const QByteArray& name : names) {
        std::memcpy(data + at, name.constData(), std::size_t(name.size()));
        at += std::size_t(name.size()) + 1;
    }
    GlobalUnlock(memory);
    *block = memory;
    return S_OK;
}

HRESULT BuildTextBlock(const QList<QByteArray>& names, bool trailing, HGLOBAL* block)
{
    QByteArray text = names.join("\r\n");
    if (trailing)
        text += "\r\n";
    *block = GlobalFromBytes(text + '\0');
    return *block ? S_OK : E_OUTOFMEMORY;
}

bool ReadIdListArray(const void* raw, std::size_t size, TIdListArrayData& out)
{
    const auto* data = static_cast<const unsigned char*>(raw);
    if (!data || size < 8)
        return false;
    const std::uint32_t n = getU32(data);
    // Every item needs its offset and at least a terminator.
    if (n > (size - 8) / 6)
        return false;
    TIdListArrayData result;
    std::size_t decoded = 0;
    for (std::uint32_t k = 0; k <= n; ++k) {
        const std::size_t offset = getU32(data + 4 + 4 * std::size_t(k));
        const std::size_t length = listLengthWithin(data, size, offset);
        if (length == 0)
            return false;
        // Offsets may share a list, but a block whose offsets all name one
        // large list would decode to gigabytes.
        decoded += length;
        if (decoded > kMaxIdListArrayExpansion * size)
            return false;
        const QByteArray list(reinterpret_cast<const char*>(data + offset), qsizetype(length));
        if (k == 0)
            result.parent = list;
        else
            result.items.append(list);
    }
    out = std::move(result);
    return true;
}

bool ReadIdListArray(HGLOBAL block, TIdListArrayData& out)
{
    const bool ok = ReadIdListArray(GlobalLock(block), GlobalSize(block), out);
    GlobalUnlock(block);
    return ok;
}

bool ReadFileDropBlock(const void* raw, std::size_t size, QList<QByteArray>& names)
{
    const auto* data = static_cast<const unsigned char*>(raw);
    if (!data || size < kDropHeaderSize)
        return false;
    const std::size_t start = getU32(data);
    const bool wide = getU32(data + 16) != 0;
    if (start < kDropHeaderSize || start > size)
        return false;
    QList<QByteArray> result;
    std::size_t at = start;
    for (;;) {
        if (wide) {
            QString name;
            while (at + 2 <= size && (data[at] | data[at + 1]) != 0) {
                name.append(QChar(char16_t(data[at] | (data[at + 1] << 8))));
                at += 2;
            }
            if (at + 2 > size)
                return false;
            at += 2;
            if (name.isEmpty())
                break;
            result.append(FileNameFromString(name));
        } else {
            const void* end = std::memchr(data + at, 0, size - at);
            if (!end)
                return false;
            const std::size_t length =
                std::size_t(static_cast<const unsigned char*>(end) - (data + at));
            if (length == 0)
                break;
            result.append(QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(length)));
            at += length + 1;
        }
    }
    names = std::move(result);
    return true;
}

bool ReadFileDropBlock(HGLOBAL block, QList<QByteArray>& names)
{
    const bool ok = ReadFileDropBlock(GlobalLock(block), GlobalSize(block), names);
    GlobalUnlock(block);
    return ok;
}

QByteArray BytesOfGlobal(HGLOBAL block)
{
    const QByteArray bytes(static_cast<const char*>(GlobalLock(block)),
                           qsizetype(GlobalSize(block)));
    GlobalUnlock(block);
    return bytes;
}

HGLOBAL GlobalFromBytes(const QByteArray& bytes)
{
    HGLOBAL block = GlobalAlloc(GHND, std::size_t(bytes.size()));
    if (block && !bytes.isEmpty()) {
        std::memcpy(GlobalLock(block), bytes.constData(), std::size_t(bytes.size()));
        GlobalUnlock(block);
    }
    return block;
}
