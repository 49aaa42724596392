#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

#include <cstdint>
#include <functional>

// Scrolling while a drag hovers near the sides of a view, shared by the tree
// and the list: at most one step every kIntervalMs, one column towards a side
// within kSideMargin pixels of it, one line towards the top or bottom within
// kEdgeMargin pixels. The clock can be replaced, so tests step time instead
// of sleeping.
class TPTDragAutoScroll
{
  public:
    static constexpr int kIntervalMs = 100;
    static constexpr int kSideMargin = 26;
    static constexpr int kEdgeMargin = 20;

    using TClock = std::function<std::int64_t()>; // milliseconds, never going back
    using TCanScroll = std::function<bool(Qt::Orientation orientation, int direction)>;

    TPTDragAutoScroll();
    void SetClock(TClock clock) { m_clock = std::move(clock); }

    // A drag entered: the first step comes kIntervalMs later at the earliest.
    void Start();
    // The steps due at `point` of a client area of `size` (x: columns, y:
    // lines, each -1, 0 or 1), only those canScroll allows; none while the
    // last step is less than kIntervalMs ago.
    QPoint Step(const QSize& size, const QPoint& point, const TCanScroll& canScroll);

  private:
    TClock m_clock;
    std::int64_t m_last = 0;
};
