#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// File attributes with the platform's bit values.
constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400; // a symlink

// What a file search reports of one file.
struct TWin32FindData {
    std::uint32_t FileAttributes = 0;
    QDateTime LastWriteTime;
    std::uint64_t FileSize = 0;
    QString FileName; // the last path component, lossless form
};

// Fills find data for a path (lossless QString form, see FileNameCodec.h),
// following symlinks but marking them; false when the path does not exist.
bool FindDataOfPath(const QString& path, TWin32FindData& data);
