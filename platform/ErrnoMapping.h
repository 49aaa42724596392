#pragma once

#include "platform/ResultCodes.h"

#include <cstdint>

// errno values as the matching Win32 error numbers (ENOENT -> 2, EACCES -> 5,
// EEXIST -> 183, ...); 0 for an errno without a counterpart.
std::uint32_t Win32ErrorFromErrno(int error);

// The errno value a Win32 error number came from, or 0 when none maps to it.
int ErrnoFromWin32Error(std::uint32_t error);

// E_FAIL for 0 or an unmapped errno, else 0x8007xxxx of the mapped error.
HRESULT HResultFromErrno(int error);

// HResultFromErrno(errno), for use right after a failed system call.
HRESULT HResultFromLastErrno();
