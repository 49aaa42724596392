#pragma once

// Raises a control's re-entry counter (SyncLock and the like) for as long as
// the object lives.
class TPTCounterLock
{
  public:
    explicit TPTCounterLock(int& counter) : m_counter(counter) { ++m_counter; }
    ~TPTCounterLock() { --m_counter; }
    TPTCounterLock(const TPTCounterLock&) = delete;
    TPTCounterLock& operator=(const TPTCounterLock&) = delete;

  private:
    int& m_counter;
};
