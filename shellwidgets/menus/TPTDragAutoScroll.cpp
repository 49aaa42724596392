#include "shellwidgets/menus/TPTDragAutoScroll.h"

#include <QElapsedTimer>

namespace
{

std::int64_t steadyMilliseconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

} // namespace

TPTDragAutoScroll::TPTDragAutoScroll() : m_clock(steadyMilliseconds) {}

void TPTDragAutoScroll::Start()
{
    m_last = m_clock();
}

QPoint TPTDragAutoScroll::Step(const QSize& size, const QPoint& point, const TCanScroll& canScroll)
{
    const std::int64_t now = m_clock();
    if (now - m_last < kIntervalMs)
        return {};
    QPoint step;
    if (point.x() < kSideMargin)
        step.setX(-1);
    else if (point.x() > size.width() - kSideMargin)
        step.setX(1);
    if (point.y() < kEdgeMargin)
        step.setY(-1);
    else if (point.y() > size.height() - kEdgeMargin)
        step.setY(1);
    if (step.x() && !canScroll(Qt::Horizontal, step.x()))
        step.setX(0);
    if (step.y() && !canScroll(Qt::Vertical, step.y()))
        step.setY(0);
    if (!step.isNull())
        m_last = now;
    return step;
}
