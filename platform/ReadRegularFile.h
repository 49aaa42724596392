#pragma once

#include <QByteArray>

#include <optional>

// The first maxBytes bytes of a regular file, opened by its bytes (the name
// need not be UTF-8) and without blocking, so that a FIFO or a device under a
// configuration file's name cannot stall the caller. Nothing for a missing or
// unreadable file or anything but a regular file.
std::optional<QByteArray> ReadRegularFile(const QByteArray& path, qsizetype maxBytes);
