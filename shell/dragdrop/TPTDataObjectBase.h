#pragma once

#include "platform/GlobalMemory.h"
#include "shell/shell95/IDataObject.h"
#include "shell/dragdrop/TPTFormatEtcList.h"

// What the tree's and the list's data objects share: three blocks (text,
// file drop, identifier-list array) freed with the object, and the two
// offered formats, "Shell IDList Array" first, then the file-drop format.
// User-interface thread only.
class TPTDataObjectBase : public TComObject<IDataObject>
{
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    // A copy of the matching block in global memory, no release object.
    HRESULT GetData(const TFormatEtc* format, TStgMedium* medium) override;
    HRESULT GetDataHere(const TFormatEtc* format, TStgMedium* medium) override;
    HRESULT QueryGetData(const TFormatEtc* format) override;
    HRESULT GetCanonicalFormatEtc(const TFormatEtc* format, TFormatEtc* canonical) override;
    HRESULT SetData(const TFormatEtc* format, TStgMedium* medium, bool release) override;
    HRESULT EnumFormatEtc(std::uint32_t direction, IEnumFormatEtc** enumFormat) override;
    HRESULT DAdvise(const TFormatEtc* format, std::uint32_t flags, IUnknown* sink,
                    std::uint32_t* connection) override;
    HRESULT DUnadvise(std::uint32_t connection) override;
    HRESULT EnumDAdvise(IUnknown** enumAdvise) override;

    // The blocks as built (not copies); null when not built.
    HGLOBAL TextBlock() const { return m_text; }
    HGLOBAL FileDropBlock() const { return m_fileDrop; }
    HGLOBAL IdListArrayBlock() const { return m_idListArray; }

  protected:
    TPTDataObjectBase();
    ~TPTDataObjectBase() override;

    HGLOBAL m_text = nullptr;
    HGLOBAL m_fileDrop = nullptr;
    HGLOBAL m_idListArray = nullptr;

  private:
    TPTFormatEtcList m_formats;
};
