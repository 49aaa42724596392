#pragma once

#include <functional>

class QObject;

// The plain event of the controls: only the sender. Events are fired only when set.
using TNotifyEvent = std::function<void(QObject* aSender)>;
