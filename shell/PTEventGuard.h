#pragma once

#include <utility>

// Qt does not allow an exception to unwind through its event loop. Every event
// handler, slot and virtual override that calls into the shell runs its body
// through PTEventGuard: an error is shown as a message box (the platform's text
// for an EPlatformError, the exception's own text otherwise), the silent abort
// (EAbort) shows nothing, and the program goes on. Returns whether the body
// finished. User-interface thread only.
// Shows the exception being handled; call only inside a catch block.
void PTShowCurrentException() noexcept;

template <typename Body>
bool PTEventGuard(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        PTShowCurrentException();
        return false;
    }
}

