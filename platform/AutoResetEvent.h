#pragma once

// An auto-reset event over an eventfd: Set() signals it, a successful Wait()
// or Reset() clears it again. The descriptor can be polled beside others.
class AutoResetEvent {
public:
    AutoResetEvent();
    ~AutoResetEvent();
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    bool IsValid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Set();
    void Reset();
    // True when the event was signalled within timeoutMs (-1 waits forever);
    // the event is reset then.
    bool Wait(int timeoutMs);

private:
    int fd_;
};
