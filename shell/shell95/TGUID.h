#pragma once

#include <cstdint>
#include <cstring>

// Interface and class identifiers. The values of our own interfaces are ours;
// only their identity matters inside the process.
struct TGUID {
    std::uint32_t D1;
    std::uint16_t D2;
    std::uint16_t D3;
    std::uint8_t D4[8];

    friend bool operator==(const TGUID& a, const TGUID& b)
    {
        return std::memcmp(&a, &b, sizeof(TGUID)) == 0;
    }
};

using REFIID = const TGUID&;

// Veldmark's own interface identifiers: one family, told apart by D3.
constexpr TGUID VeldmarkInterfaceId(std::uint16_t n)
{
    return TGUID{0x56454C44u, 0x4D41u, n, {0x80, 0x00, 0x53, 0x48, 0x45, 0x4C, 0x4C, 0x00}};
}

inline constexpr TGUID IID_IUnknown = VeldmarkInterfaceId(0x0000);
inline constexpr TGUID IID_IMalloc = VeldmarkInterfaceId(0x0002);
inline constexpr TGUID IID_IShellFolder = VeldmarkInterfaceId(0x0214);
inline constexpr TGUID IID_IEnumIDList = VeldmarkInterfaceId(0x0215);
inline constexpr TGUID IID_IShellDetails = VeldmarkInterfaceId(0x0216);
inline constexpr TGUID IID_IContextMenu = VeldmarkInterfaceId(0x0217);
inline constexpr TGUID IID_IDropTarget = VeldmarkInterfaceId(0x0218);
inline constexpr TGUID IID_IDataObject = VeldmarkInterfaceId(0x0219);
inline constexpr TGUID IID_IShellLink = VeldmarkInterfaceId(0x021A);
inline constexpr TGUID IID_IPersistFile = VeldmarkInterfaceId(0x021B);
