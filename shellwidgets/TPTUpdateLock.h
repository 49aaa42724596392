#pragma once

// A view's updates suspended (BeginUpdate ... EndUpdate) for as long as the
// object lives, also when an exception leaves the scope.
template <typename View> class TPTUpdateLock
{
  public:
    explicit TPTUpdateLock(View* view) : m_view(view) { m_view->BeginUpdate(); }
    ~TPTUpdateLock() { m_view->EndUpdate(); }
    TPTUpdateLock(const TPTUpdateLock&) = delete;
    TPTUpdateLock& operator=(const TPTUpdateLock&) = delete;

  private:
    View* m_view;
};
