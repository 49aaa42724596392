#include "app/TQuitOnSignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int signalFds[2] = {-1, -1}; // [0] written by the handler, [1] read by the notifier

void OnSignal(int signo)
{
    const int saved = errno;
    const char byte = char(signo);
    [[maybe_unused]] const ssize_t n = ::write(signalFds[0], &byte, 1);
    errno = saved;
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

TQuitOnSignal::TQuitOnSignal(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal))
{
    if (signalFds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalFds) != 0)
        return;
    // A full socket must never block the handler; one pending byte is enough.
    ::fcntl(signalFds[0], F_SETFL, ::fcntl(signalFds[0], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TQuitOnSignal::Activated);
    SetHandler(OnSignal);
}

TQuitOnSignal::~TQuitOnSignal()
{
    if (!notifier_)
        return;
    SetHandler(SIG_DFL);
    delete notifier_;
    ::close(signalFds[0]);
    ::close(signalFds[1]);
    signalFds[0] = signalFds[1] = -1;
}

void TQuitOnSignal::Activated()
{
    char bytes[16];
    [[maybe_unused]] const ssize_t n = ::read(signalFds[1], bytes, sizeof bytes);
    if (onSignal_)
        onSignal_();
}
