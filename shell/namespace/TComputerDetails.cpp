#include "shell/namespace/TComputerDetails.h"

#include "shell/namespace/ItemData.h"
#include "shell/namespace/TComputerFolder.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/StrRet.h"

#include <QLocale>

TComputerDetails::TComputerDetails(IShellFolder* folder)
    : m_folder(TComPtr<IShellFolder>::share(folder))
{
}

HRESULT TComputerDetails::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IShellDetails, object);
}

HRESULT TComputerDetails::GetDetailsOf(PCItemIDList idList, std::uint32_t column,
                                       TShellDetails* details)
{
    if (!details)
        return E_POINTER;
    struct Column {
        const char* caption;
        std::int32_t fmt;
        std::int32_t width;
    };
    static constexpr Column kColumns[] = {{"Name", LVCFMT_LEFT, 25},
                                          {"Type", LVCFMT_LEFT, 15},
                                          {"Total Size", LVCFMT_RIGHT, 10},
                                          {"Free Space", LVCFMT_RIGHT, 10}};
    if (column >= std::size(kColumns))
        return E_INVALIDARG;
    details->fmt = kColumns[column].fmt;
    details->cxChar = kColumns[column].width;
    if (!idList)
        return StrretFromString(QString::fromLatin1(kColumns[column].caption), &details->str);
    ItemData::View view;
    if (!ItemData::Read(idList, view) || view.kind != ItemData::KindVolume)
        return E_INVALIDARG;
    QString text;
    switch (column) {
    case 0:
        text = VolumeInfo::DisplayName(view);
        break;
    case 1:
        text = VolumeInfo::TypeText(view);
        break;
    default: {
        quint64 total = 0;
        quint64 free = 0;
        if (VolumeInfo::Sizes(view, total, free))
            text = QLocale().formattedDataSize(static_cast<qint64>(column == 2 ? total : free), 1,
                                               QLocale::DataSizeTraditionalFormat);
        break;
    }
    }
    return StrretFromString(text, &details->str);
}

HRESULT TComputerDetails::ColumnClick(std::uint32_t)
{
    return S_FALSE;
}
