#include "platform/AutoResetEvent.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

AutoResetEvent::AutoResetEvent() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

AutoResetEvent::~AutoResetEvent()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void AutoResetEvent::Set()
{
    const std::uint64_t one = 1;
    while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void AutoResetEvent::Reset()
{
    std::uint64_t value;
    while (::read(fd_, &value, sizeof value) < 0 && errno == EINTR) {
    }
}

bool AutoResetEvent::Wait(int timeoutMs)
{
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue; // a signal is no time-out; the remaining time is not tracked
        if (n <= 0)
            return false;
        std::uint64_t value;
        if (::read(fd_, &value, sizeof value) == sizeof value)
            return true;
        // Another waiter took it first; wait again.
    }
}
