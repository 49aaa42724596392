#include "shell/dragdrop/TPTDataObjectBase.h"

#include "shell/shell95/OleConstants.h"
#include "shell/dragdrop/TPTFormatEtcList_IEnumFormatEtc.h"
#include "shell/utils/ClipboardFormats.h"

TPTDataObjectBase::TPTDataObjectBase() : m_formats({CF_SHELLIDLIST(), CF_HDROP}) {}

TPTDataObjectBase::~TPTDataObjectBase()
{
    GlobalFree(m_text);
    GlobalFree(m_fileDrop);
    GlobalFree(m_idListArray);
}

HRESULT TPTDataObjectBase::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDataObject, object);
}

HRESULT TPTDataObjectBase::GetData(const TFormatEtc* format, TStgMedium* medium)
{
    if (!medium)
        return E_POINTER;
    *medium = TStgMedium{};
    if (const HRESULT hr = m_formats.CheckFormat(format); Failed(hr))
        return hr;
    HGLOBAL source = nullptr;
    if (format->cfFormat == CF_SHELLIDLIST())
        source = m_idListArray;
    else if (format->cfFormat == CF_HDROP)
        source = m_fileDrop;
    else
        return DV_E_FORMATETC;
    HGLOBAL copy = GlobalCopy(source);
    if (!copy)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    return S_OK;
}

HRESULT TPTDataObjectBase::GetDataHere(const TFormatEtc*, TStgMedium*)
{
    return E_NOTIMPL;
}

HRESULT TPTDataObjectBase::QueryGetData(const TFormatEtc* format)
{
    return m_formats.CheckFormat(format);
}

HRESULT TPTDataObjectBase::GetCanonicalFormatEtc(const TFormatEtc*, TFormatEtc* canonical)
{
    if (canonical)
        canonical->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TPTDataObjectBase::SetData(const TFormatEtc*, TStgMedium*, bool)
{
    return E_NOTIMPL;
}

HRESULT TPTDataObjectBase::EnumFormatEtc(std::uint32_t direction, IEnumFormatEtc** enumFormat)
{
    if (!enumFormat)
        return E_POINTER;
    if (direction != DATADIR_GET) {
        *enumFormat = nullptr;
        return E_NOTIMPL;
    }
    *enumFormat = new TPTFormatEtcList_IEnumFormatEtc(this, &m_formats);
    return S_OK;
}

HRESULT TPTDataObjectBase::DAdvise(const TFormatEtc*, std::uint32_t, IUnknown*, std::uint32_t*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TPTDataObjectBase::DUnadvise(std::uint32_t)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TPTDataObjectBase::EnumDAdvise(IUnknown** enumAdvise)
{
    if (enumAdvise)
        *enumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}
