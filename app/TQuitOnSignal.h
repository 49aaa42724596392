#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (the desktop session ending, Ctrl+C in a terminal)
// into a call on the user-interface thread, so the program can quit through
// its normal path instead of dying where it stands. The signal handler only
// writes a byte to a socket pair; a notifier on the other end runs onSignal
// from the event loop. One instance at a time; the default handlers come back
// when it is destroyed.
class TQuitOnSignal : public QObject
{
    Q_OBJECT

  public:
    explicit TQuitOnSignal(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TQuitOnSignal() override;

    bool IsActive() const { return notifier_ != nullptr; }

  private:
    void Activated();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};
