#include "shellwidgets/list/ExplorerColumnsBlob.h"

#include "platform/Registry.h"

#include <algorithm>
#include <cstring>

bool TExplorerColumnsBlob::SameWidthsAs(const TExplorerColumnsBlob& other) const
{
    return size == other.size && std::memcmp(bytes.data(), other.bytes.data(), (size / 2) * 2) == 0;
}

TExplorerColumnsBlob TExplorerColumnsBlob::ReadDefault()
{
    TExplorerColumnsBlob blob;
    const int builtIn[5] = {200, 60, 100, 120, 50};
    for (int i = 0; i < 5; ++i) {
        blob.bytes[size_t(2 * i)] = std::uint8_t(builtIn[i] & 0xFF);
        blob.bytes[size_t(2 * i + 1)] = std::uint8_t(builtIn[i] >> 8);
    }
    blob.size = 10;
    const auto key = TRegistryKey::Open(TRegistryRoot::CurrentUser,
                                        QStringLiteral("Software\\Microsoft\\Windows\\"
                                                       "CurrentVersion\\Explorer"));
    if (!key)
        return blob;
    const auto value = key->ReadBinary(QStringLiteral("DirectoryCols"));
    if (!value || value->size() > qsizetype(blob.bytes.size()))
        return blob;
    std::memcpy(blob.bytes.data(), value->constData(), size_t(value->size()));
    blob.size = std::uint32_t(value->size());
    return blob;
}

TExplorerColumnsBlob& LastExplorerColumnsBlob()
{
    static TExplorerColumnsBlob blob;
    return blob;
}
