#pragma once

#include <QWidget>

#include <functional>

// Runs a step on the next modal window that opens, from inside its own event
// loop, so a test can drive a dialog that a click opened and is waiting on.
void OnNextModal(std::function<void(QWidget* modal)> step);
