#include "shell/dragdrop/TPTFormatEtcList_IEnumFormatEtc.h"

#include "shell/dragdrop/TPTFormatEtcList.h"

TPTFormatEtcList_IEnumFormatEtc::TPTFormatEtcList_IEnumFormatEtc(IUnknown* owner,
                                                                 const TPTFormatEtcList* list,
                                                                 int position)
    : m_owner(owner), m_list(list), m_position(position)
{
    if (m_owner)
        m_owner->AddRef();
}

TPTFormatEtcList_IEnumFormatEtc::~TPTFormatEtcList_IEnumFormatEtc()
{
    if (m_owner)
        m_owner->Release();
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IEnumFormatEtc, object);
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Next(std::uint32_t count, TFormatEtc* formats,
                                              std::uint32_t* fetched)
{
    if (!formats && count > 0)
        return E_POINTER;
    std::uint32_t copied = 0;
    while (copied < count && m_position < m_list->Count())
        formats[copied++] = *m_list->Item(m_position++);
    if (fetched)
        *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Skip(std::uint32_t count)
{
    const int left = m_list->Count() - m_position;
    if (std::uint32_t(left) < count) {
        m_position = m_list->Count();
        return S_FALSE;
    }
    m_position += int(count);
    return S_OK;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Reset()
{
    m_position = 0;
    return S_OK;
}

HRESULT TPTFormatEtcList_IEnumFormatEtc::Clone(IEnumFormatEtc** enumFormat)
{
    if (!enumFormat)
        return E_POINTER;
    *enumFormat = new TPTFormatEtcList_IEnumFormatEtc(m_owner, m_list, m_position);
    return S_OK;
}
