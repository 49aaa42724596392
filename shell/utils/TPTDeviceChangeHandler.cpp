#include "shell/utils/TPTDeviceChangeHandler.h"

#include "platform/MountTable.h"
#include "shell/PTEventGuard.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

TPTDeviceChangeHandler::TPTDeviceChangeHandler(const QString& mountTablePath)
{
    mountsFd_ = ::open(QFile::encodeName(mountTablePath).constData(), O_RDONLY | O_CLOEXEC);
    if (mountsFd_ < 0)
        return; // no mount table: no device changes, nothing else is lost
    volumes_ = CurrentVolumes();
    // The kernel flags a mount table change as an exceptional condition.
    notifier_ = new QSocketNotifier(mountsFd_, QSocketNotifier::Exception, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { MountTableChanged(); });
}

TPTDeviceChangeHandler::~TPTDeviceChangeHandler()
{
    delete notifier_;
    if (mountsFd_ >= 0)
        ::close(mountsFd_);
}

void TPTDeviceChangeHandler::Add(const void* object, TPTDeviceChangeEvent handler)
{
    subscribers_.push_back({object, std::move(handler), nextSerial_++});
}

void TPTDeviceChangeHandler::Remove(const void* object)
{
    for (auto it = subscribers_.begin(); it != subscribers_.end(); ++it)
        if (it->object == object) {
            subscribers_.erase(it);
            return;
        }
}

void TPTDeviceChangeHandler::BroadcastToList(const TMessage& message)
{
    if (!Enabled)
        return;
    // A subscriber may unsubscribe itself or others while being told (a
    // control destroyed in answer): walk a copy, but call only entries that
    // are still subscribed, never one whose owner may be gone.
    const std::vector<Subscriber> subscribers = subscribers_;
    for (const Subscriber& s : subscribers) {
        const bool stillThere =
            std::any_of(subscribers_.begin(), subscribers_.end(),
                        [&](const Subscriber& current) { return current.serial == s.serial; });
        // Subscribers flush the drive cache and refresh, which raise when a
        // folder cannot be had; that is shown, and the others are still told.
        if (stillThere && s.handler)
            PTEventGuard([&] { s.handler(this, message); });
    }
}

void TPTDeviceChangeHandler::WndProc(TMessage& message)
{
    if (message.Msg == WM_DEVICECHANGE)
        QCoreApplication::postEvent(
            this, new TPTMessageEvent(AM_SECONDSTAGEINIT, message.WParam, message.LParam));
    else if (message.Msg == AM_SECONDSTAGEINIT)
        BroadcastToList(message);
}

bool TPTDeviceChangeHandler::event(QEvent* e)
{
    if (e->type() != QEvent::Type(AM_SECONDSTAGEINIT))
        return QObject::event(e);
    const auto* m = static_cast<TPTMessageEvent*>(e);
    TMessage message{AM_SECONDSTAGEINIT, m->WParam, m->LParam, 0};
    WndProc(message);
    return true;
}

QSet<QByteArray> TPTDeviceChangeHandler::CurrentVolumes()
{
    // Reading the table from the start is also what re-arms the notification.
    QByteArray content;
    ::lseek(mountsFd_, 0, SEEK_SET);
    char buffer[8192];
    for (ssize_t n; (n = ::read(mountsFd_, buffer, sizeof buffer)) > 0;)
        content.append(buffer, n);
    QSet<QByteArray> points;
    for (const TMountEntry& e : VolumesFromMountTable(ParseMountTable(content)))
        points.insert(e.mountPoint);
    return points;
}

void TPTDeviceChangeHandler::MountTableChanged()
{
    const QSet<QByteArray> now = CurrentVolumes();
    for (const QByteArray& point : now)
        if (!volumes_.contains(point)) {
            TMessage m{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, 0};
            WndProc(m);
        }
    for (const QByteArray& point : volumes_)
        if (!now.contains(point)) {
            TMessage m{WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0, 0};
            WndProc(m);
        }
    volumes_ = now;
}

TPTDeviceChangeHandler* PTDeviceChangeHandler()
{
    static TPTDeviceChangeHandler* instance = nullptr;
    if (!instance) {
        instance = new TPTDeviceChangeHandler();
        qAddPostRoutine([] {
            delete instance;
            instance = nullptr;
        });
    }
    return instance;
}
