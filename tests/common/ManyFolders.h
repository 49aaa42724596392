#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A temporary folder with `count` empty subfolders named 0 to count-1, on a
// memory file system when there is one, as removing thousands of folders from
// some disks takes seconds. Null when a folder cannot be made.
inline std::unique_ptr<QTemporaryDir> MakeManyFolders(int count)
{
    auto root = std::make_unique<QTemporaryDir>(
        QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/veldmark-watch-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/veldmark-watch-XXXXXX"));
    if (!root->isValid())
        return nullptr;
    QDir dir(root->path());
    for (int i = 0; i < count; ++i)
        if (!dir.mkdir(QString::number(i)))
            return nullptr;
    return root;
}
