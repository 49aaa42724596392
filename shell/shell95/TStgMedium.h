#pragma once

#include "platform/GlobalMemory.h"
#include "shell/shell95/IUnknown.h"

#include <cstdint>

// A medium handed out by GetData. With no release object the receiver frees
// the block (ReleaseStgMedium); with one, releasing that object is all it does.
struct TStgMedium {
    std::uint32_t tymed = 0;
    HGLOBAL hGlobal = nullptr;
    IUnknown* pUnkForRelease = nullptr;
};
