#include "platform/ErrorText.h"

#include "platform/ErrnoMapping.h"

#include <cstring>

namespace
{

struct FixedText {
    HRESULT code;
    const char* text;
};

constexpr FixedText kFixedTexts[] = {
    {S_OK, "The operation completed successfully."},
    {S_FALSE, "The operation completed successfully."},
    {E_NOTIMPL, "Not implemented."},
    {E_NOINTERFACE, "No such interface supported."},
    {E_POINTER, "Invalid pointer."},
    {E_ABORT, "Operation aborted."},
    {E_FAIL, "Unspecified error."},
    {E_UNEXPECTED, "Catastrophic failure."},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {E_INVALIDARG, "The parameter is incorrect."},
    {HRESULT_NO_MORE_ITEMS, "No more data is available."},
    {HResultFromWin32(ERROR_CANCELLED), "The operation was canceled by the user."},
    {HResultFromWin32(ERROR_INVALID_NAME),
     "The file name, directory name, or volume label syntax is incorrect."},
    {HResultFromWin32(ERROR_PATH_NOT_FOUND), "The system cannot find the path specified."},
};

} // namespace

QString ResultCodeText(HRESULT code)
{
    for (const FixedText& fixed : kFixedTexts)
        if (fixed.code == code)
            return QString::fromUtf8(fixed.text);
    if (HResultFacility(code) == FACILITY_WIN32 && Failed(code)) {
        if (const int error = ErrnoFromWin32Error(HResultCode(code)); error != 0)
            return QString::fromLocal8Bit(std::strerror(error));
    }
    const QString hex = QString::number(static_cast<quint32>(code), 16).toUpper();
    return QStringLiteral("Unknown error 0x%1").arg(hex.rightJustified(8, QLatin1Char('0')));
}
