#pragma once

#include <QAbstractEventDispatcher>

// The event dispatcher of a thread that never runs a Qt event loop. QThread
// would otherwise make the platform's dispatcher for it, whose wake-up pipe
// needs descriptors: with only two or three left, that one traps inside GLib
// instead of failing. This one needs nothing and dispatches nothing; the
// thread may still post events to other threads.
class TNoLoopEventDispatcher : public QAbstractEventDispatcher
{
  public:
    using QAbstractEventDispatcher::QAbstractEventDispatcher;

    bool processEvents(QEventLoop::ProcessEventsFlags) override { return false; }
    void registerSocketNotifier(QSocketNotifier*) override {}
    void unregisterSocketNotifier(QSocketNotifier*) override {}
    void registerTimer(int, qint64, Qt::TimerType, QObject*) override {}
    bool unregisterTimer(int) override { return false; }
    bool unregisterTimers(QObject*) override { return false; }
    QList<TimerInfo> registeredTimers(QObject*) const override { return {}; }
    int remainingTime(int) override { return -1; }
    void wakeUp() override {}
    void interrupt() override {}
};
