#pragma once

#include <exception>

// The silent abort: ends an operation without a message. Catch it separately
// from EPlatformError (it is deliberately not derived from it) and show nothing.
class EAbort : public std::exception
{
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
