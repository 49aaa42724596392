#include "shell/utils/StrRet.h"

#include "platform/FileNameCodec.h"
#include "platform/ResultCodes.h"
#include "shell/utils/ShellMalloc.h"

#include <cstring>

QString StrretToString(PCItemIDList idList, const TStrRet& strRet)
{
    switch (strRet.uType) {
    case STRRET_WSTR:
        return strRet.pOleStr ? QString::fromUtf16(strRet.pOleStr) : QString();
    case STRRET_OFFSET:
        if (!idList)
            return QString();
        return FileNameToString(
            std::string_view(reinterpret_cast<const char*>(idList) + strRet.uOffset));
    case STRRET_CSTR:
        return FileNameToString(
            std::string_view(strRet.cStr, strnlen(strRet.cStr, sizeof strRet.cStr)));
    default:
        return QString();
    }
}

void StrretFree(TStrRet& strRet)
{
    if (strRet.uType == STRRET_WSTR && strRet.pOleStr) {
        ShellMemFree(strRet.pOleStr);
        strRet.pOleStr = nullptr;
    }
}

HRESULT StrretFromString(const QString& text, TStrRet* strRet)
{
    const std::size_t bytes = (static_cast<std::size_t>(text.size()) + 1) * sizeof(char16_t);
    auto* buffer = static_cast<char16_t*>(ShellMemAlloc(bytes));
    if (!buffer)
        return E_OUTOFMEMORY;
    std::memcpy(buffer, text.utf16(), bytes);
    strRet->uType = STRRET_WSTR;
    strRet->pOleStr = buffer;
    return S_OK;
}

void StrretFromOffset(std::uint32_t offset, TStrRet* strRet)
{
    strRet->uType = STRRET_OFFSET;
    strRet->uOffset = offset;
}
