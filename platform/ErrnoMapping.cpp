#include "platform/ErrnoMapping.h"

#include <cerrno>
#include <iterator>

namespace
{

struct ErrnoPair {
    int errnoValue;
    std::uint32_t win32;
};

// First match wins in both directions, so the preferred errno of a Win32
// number (used for its text) comes first.
constexpr ErrnoPair kPairs[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EBADF, ERROR_INVALID_HANDLE},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EXDEV, ERROR_NOT_SAME_DEVICE},
    {EROFS, ERROR_WRITE_PROTECT},
    {ENODEV, ERROR_NOT_READY},
    {ENXIO, ERROR_NOT_READY},
    {ETXTBSY, ERROR_SHARING_VIOLATION},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {EFBIG, ERROR_DISK_FULL},
    {ENOTSUP, ERROR_NOT_SUPPORTED},
    {ENOSYS, ERROR_NOT_SUPPORTED},
    {EEXIST, ERROR_ALREADY_EXISTS},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {EPIPE, ERROR_BROKEN_PIPE},
    {EILSEQ, ERROR_INVALID_NAME},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {EBUSY, ERROR_BUSY},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {EISDIR, ERROR_DIRECTORY},
    {ECANCELED, ERROR_CANCELLED},
    {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
};

} // namespace

std::uint32_t Win32ErrorFromErrno(int error)
{
    for (const ErrnoPair& pair : kPairs)
        if (pair.errnoValue == error)
            return pair.win32;
    return 0;
}

int ErrnoFromWin32Error(std::uint32_t error)
{
    for (const ErrnoPair& pair : kPairs)
        if (pair.win32 == error)
            return pair.errnoValue;
    return 0;
}

HRESULT HResultFromErrno(int error)
{
    const std::uint32_t win32 = Win32ErrorFromErrno(error);
    return win32 == 0 ? E_FAIL : HResultFromWin32(win32);
}

HRESULT HResultFromLastErrno()
{
    return HResultFromErrno(errno);
}
