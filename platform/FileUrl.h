#pragma once

#include <QByteArray>

#include <optional>

// The local path of a file URL: file:///p, file://localhost/p and file:/p name
// local files; the path is the percent-decoded bytes (a name need not be
// UTF-8). Nothing for other hosts and schemes, relative paths and NUL bytes.
std::optional<QByteArray> LocalPathOfFileUrl(QByteArray url);
