#include "platform/EPlatformError.h"

#include "platform/ErrorText.h"

EPlatformError::EPlatformError(HRESULT code) : EPlatformError(code, ResultCodeText(code)) {}

EPlatformError::EPlatformError(HRESULT code, const QString& message)
    : std::runtime_error(message.toStdString()), m_code(code), m_message(message)
{
}

EPlatformError::EPlatformError(const QString& message) : EPlatformError(E_FAIL, message) {}

void RaisePlatformError(HRESULT code)
{
    throw EPlatformError(code);
}

HRESULT CheckResult(HRESULT code)
{
    if (Failed(code))
        RaisePlatformError(code);
    return code;
}
