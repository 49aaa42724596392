#pragma once

#include "shell/shell95/IEnumFormatEtc.h"

class TPTFormatEtcList;

// Walks a data object's format list. The list belongs to the data object; the
// enumerator holds a reference on that object (`owner`) so the list outlives it.
class TPTFormatEtcList_IEnumFormatEtc final : public TComObject<IEnumFormatEtc>
{
  public:
    TPTFormatEtcList_IEnumFormatEtc(IUnknown* owner, const TPTFormatEtcList* list,
                                    int position = 0);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    // Copies share the list's target-device pointers. S_OK only when all
    // `count` were copied, else S_FALSE.
    HRESULT Next(std::uint32_t count, TFormatEtc* formats, std::uint32_t* fetched) override;
    HRESULT Skip(std::uint32_t count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFormatEtc** enumFormat) override;

  private:
    ~TPTFormatEtcList_IEnumFormatEtc() override;

    IUnknown* m_owner;
    const TPTFormatEtcList* m_list;
    int m_position;
};
