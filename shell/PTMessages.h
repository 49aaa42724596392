#pragma once

#include <QEvent>

#include <cstdint>

// Private messages the shell controls post to themselves. Each is a QEvent
// whose type is the message number, carrying the message's two parameters.
constexpr int AM_SECONDSTAGEINIT = 1124; // second stage of a view's set-up; also a device change
constexpr int AM_CHANGENOTIFY = 1125;    // a watched folder changed; wParam is the watch slot
constexpr int AM_DEFERREDEDIT = 1126;
constexpr int AM_DEFERREDFILL = 1127;

class TPTMessageEvent : public QEvent {
public:
    TPTMessageEvent(int message, std::intptr_t wParam, std::intptr_t lParam)
        : QEvent(QEvent::Type(message)), WParam(wParam), LParam(lParam)
    {
    }
    const std::intptr_t WParam;
    const std::intptr_t LParam;
};

// A platform message as the device-change subscribers receive it.
struct TMessage {
    std::uint32_t Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

constexpr std::uint32_t WM_DEVICECHANGE = 537;
constexpr std::intptr_t DBT_DEVICEARRIVAL = 0x8000;
constexpr std::intptr_t DBT_DEVICEREMOVECOMPLETE = 0x8004;
