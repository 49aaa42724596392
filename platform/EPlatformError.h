#pragma once

#include "platform/ResultCodes.h"

#include <QString>

#include <stdexcept>

// The project's exception: a result code and the message shown to the user.
// "Raising the platform error" of a code means throwing this with the code's
// platform text; errors with a fixed message of their own carry E_FAIL.
class EPlatformError : public std::runtime_error
{
  public:
    explicit EPlatformError(HRESULT code);
    EPlatformError(HRESULT code, const QString& message);
    explicit EPlatformError(const QString& message);

    HRESULT code() const { return m_code; }
    const QString& message() const { return m_message; }

  private:
    HRESULT m_code;
    QString m_message;
};

[[noreturn]] void RaisePlatformError(HRESULT code);

// Raises the platform error of a failure code; returns success codes as they came.
HRESULT CheckResult(HRESULT code);
