#include "shell/dragdrop/TPTFormatEtcList.h"

#include "shell/shell95/OleConstants.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void TPTFormatEtcList::DeviceDeleter::operator()(TDVTargetDevice* device) const
{
    std::free(device);
}

TPTFormatEtcList::TPTFormatEtcList(std::initializer_list<std::uint16_t> formats)
{
    for (std::uint16_t number : formats) {
        TFormatEtc format;
        format.cfFormat = number;
        Add(format);
    }
}

TPTFormatEtcList::~TPTFormatEtcList() = default;

void TPTFormatEtcList::Add(const TFormatEtc& format)
{
    auto entry = std::make_unique<Entry>();
    entry->format = format;
    entry->format.ptd = nullptr;
    if (format.ptd) {
        // A device shorter than its own size word is not a device; keep the word.
        const std::size_t size = std::max<std::size_t>(format.ptd->tdSize, sizeof(TDVTargetDevice));
        auto* copy = static_cast<TDVTargetDevice*>(std::malloc(size));
        if (copy) {
            std::memcpy(copy, format.ptd, size);
            entry->device.reset(copy);
            entry->format.ptd = copy;
        }
    }
    m_entries.push_back(std::move(entry));
}

const TFormatEtc* TPTFormatEtcList::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &m_entries[std::size_t(index)]->format;
}

HRESULT TPTFormatEtcList::CheckFormat(const TFormatEtc* requested) const
{
    if (!requested || requested->dwAspect != DVASPECT_CONTENT)
        return DV_E_FORMATETC;
    bool numberKnown = false;
    for (const auto& entry : m_entries) {
        if (entry->format.cfFormat != requested->cfFormat)
            continue;
        if (entry->format.tymed & requested->tymed)
            return S_OK;
        numberKnown = true;
    }
    return numberKnown ? DV_E_TYMED : DV_E_FORMATETC;
}
