#pragma once

#include <utility>

// A user-interface call the shell layer cannot make itself (a message box, a
// menu, a dialog): a handler answers first (tests), else the presenter that the
// shell widget layer installs; Current() is empty when neither is set.
// User-interface thread only.
template <typename Function>
class TReplaceableCall
{
  public:
    Function Current() const { return m_handler ? m_handler : m_presenter; }
    // Returns the handler that was installed (empty for none).
    Function SetHandler(Function handler) { return std::exchange(m_handler, std::move(handler)); }
    void SetPresenter(Function presenter) { m_presenter = std::move(presenter); }
    bool HasPresenter() const { return bool(m_presenter); }

  private:
    Function m_handler;
    Function m_presenter;
};
