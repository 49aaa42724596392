#pragma once

#include "shell/PTMessages.h"

#include <QByteArray>
#include <QObject>
#include <QSet>

#include <cstdint>
#include <functional>
#include <vector>

class QSocketNotifier;
class TPTDeviceChangeHandler;

using TPTDeviceChangeEvent = std::function<void(TPTDeviceChangeHandler* ASender, const TMessage& AMessage)>;

// The process's one listener for volumes coming and going. The mount table
// signals every change; each volume that appeared is announced as
// DBT_DEVICEARRIVAL, each one that went as DBT_DEVICEREMOVECOMPLETE, always
// posted first so subscribers run after the change itself has been handled.
// Lives on the user-interface thread.
class TPTDeviceChangeHandler : public QObject {
public:
    explicit TPTDeviceChangeHandler(const QString& mountTablePath = QStringLiteral("/proc/self/mounts"));
    ~TPTDeviceChangeHandler() override;

    // A subscriber is known by its object; Remove drops the first entry of it.
    void Add(const void* object, TPTDeviceChangeEvent handler);
    void Remove(const void* object);
    void BroadcastToList(const TMessage& message);
    // WM_DEVICECHANGE is posted on as AM_SECONDSTAGEINIT; that one broadcasts.
    void WndProc(TMessage& message);

    bool Enabled = true;

protected:
    bool event(QEvent* e) override;

private:
    void MountTableChanged();
    QSet<QByteArray> CurrentVolumes();

    struct Subscriber {
        const void* object;
        TPTDeviceChangeEvent handler;
        std::uint64_t serial; // tells a removed entry from a later one of the same object
    };
    std::vector<Subscriber> subscribers_;
    std::uint64_t nextSerial_ = 0;
    int mountsFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QSet<QByteArray> volumes_;
};

// The process-wide instance, made on first use and freed with the application.
TPTDeviceChangeHandler* PTDeviceChangeHandler();
