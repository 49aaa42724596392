#pragma once

#include <QByteArray>
#include <QtGlobal>

// Total and free bytes of the file system mounted at mountPoint. A network
// file system is asked on a thread of its own, and the answer is given up
// after a fifth of a second: a server that does not answer would otherwise
// hold the user-interface thread. While such a call still waits, later ones
// for the same mount point fail at once instead of starting another thread.
// False when the sizes cannot be had (now).
bool VolumeSpace(const QByteArray& mountPoint, bool network, quint64& total, quint64& free);
