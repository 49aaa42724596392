#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/TFormatEtc.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// The formats a data object offers. Each entry is a separate copy; a target
// device is copied deeply (its first word is its size).
class TPTFormatEtcList
{
  public:
    TPTFormatEtcList() = default;
    // Content aspect, index -1, global memory, no device, for each number.
    explicit TPTFormatEtcList(std::initializer_list<std::uint16_t> formats);
    TPTFormatEtcList(const TPTFormatEtcList&) = delete;
    TPTFormatEtcList& operator=(const TPTFormatEtcList&) = delete;
    ~TPTFormatEtcList();

    void Add(const TFormatEtc& format);
    int Count() const { return static_cast<int>(m_entries.size()); }
    // Null past the end.
    const TFormatEtc* Item(int index) const;

    // S_OK when an entry has the requested number and a common medium;
    // DV_E_TYMED when one has the number but no common medium; DV_E_FORMATETC
    // for another aspect than content or an unknown number.
    HRESULT CheckFormat(const TFormatEtc* requested) const;

  private:
    struct DeviceDeleter {
        void operator()(TDVTargetDevice* device) const;
    };
    struct Entry {
        TFormatEtc format;
        std::unique_ptr<TDVTargetDevice, DeviceDeleter> device;
    };
    std::vector<std::unique_ptr<Entry>> m_entries;
};
