#pragma once

#include <cstdint>

// 32-bit result codes in the layout the file-dialog library was written
// against: bit 31 is failure, bits 16..26 the facility, the low 16 bits the
// code. Win32 errors travel as facility 7 (0x8007xxxx).
using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr std::uint32_t FACILITY_WIN32 = 7;

// Win32 error numbers that the namespace and the dialogs produce or test for.
constexpr std::uint32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t ERROR_INVALID_FUNCTION = 1;
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::uint32_t ERROR_OUTOFMEMORY = 14;
constexpr std::uint32_t ERROR_NOT_SAME_DEVICE = 17;
constexpr std::uint32_t ERROR_WRITE_PROTECT = 19;
constexpr std::uint32_t ERROR_NOT_READY = 21;
constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr std::uint32_t ERROR_HANDLE_DISK_FULL = 39;
constexpr std::uint32_t ERROR_NOT_SUPPORTED = 50;
constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::uint32_t ERROR_BROKEN_PIPE = 109;
constexpr std::uint32_t ERROR_DISK_FULL = 112;
constexpr std::uint32_t ERROR_INVALID_NAME = 123;
constexpr std::uint32_t ERROR_DIR_NOT_EMPTY = 145;
constexpr std::uint32_t ERROR_BUSY = 170;
constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;
constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr std::uint32_t ERROR_NO_MORE_ITEMS = 259;
constexpr std::uint32_t ERROR_DIRECTORY = 267;
constexpr std::uint32_t ERROR_CANCELLED = 1223;
constexpr std::uint32_t ERROR_CANT_RESOLVE_FILENAME = 1921;

constexpr bool Succeeded(HRESULT hr)
{
    return hr >= 0;
}
constexpr bool Failed(HRESULT hr)
{
    return hr < 0;
}

constexpr HRESULT HResultFromWin32(std::uint32_t error)
{
    return error == 0
               ? S_OK
               : static_cast<HRESULT>((error & 0xFFFFu) | (FACILITY_WIN32 << 16) | 0x80000000u);
}

// "No more items": the normal end of an enumeration besides S_FALSE.
constexpr HRESULT HRESULT_NO_MORE_ITEMS = HResultFromWin32(ERROR_NO_MORE_ITEMS);
static_assert(HRESULT_NO_MORE_ITEMS == static_cast<HRESULT>(0x80070103u));

constexpr std::uint32_t HResultFacility(HRESULT hr)
{
    return (static_cast<std::uint32_t>(hr) >> 16) & 0x1FFFu;
}
constexpr std::uint32_t HResultCode(HRESULT hr)
{
    return static_cast<std::uint32_t>(hr) & 0xFFFFu;
}

// A success code whose low 16 bits carry a signed comparison result, the way
// a folder's CompareIDs answers.
constexpr HRESULT ResultFromShort(int value)
{
    return static_cast<HRESULT>(static_cast<std::uint16_t>(value));
}
constexpr short ShortFromResult(HRESULT hr)
{
    return static_cast<short>(static_cast<std::uint16_t>(hr));
}
