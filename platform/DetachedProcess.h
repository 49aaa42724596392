#pragma once

#include <QByteArray>
#include <QList>

// Starts a program that outlives us and is never waited for (its parent
// ends at once, so no zombie is left), with arguments as raw bytes: a file
// name that is not UTF-8 reaches the program unchanged. argv[0] is looked up
// in PATH. False, with errno set, when it could not be started (not found,
// not executable, no processes left).
bool StartDetachedProcess(const QList<QByteArray>& argv);
