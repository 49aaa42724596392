#pragma once

#include <cstdint>

// Special folders; the ordinal is the platform's special-folder number.
enum TCSIDL : std::uint8_t {
    csidlDesktop,
    csidl_None1,
    csidlPrograms,
    csidlControls,
    csidlPrinters,
    csidlPersonal,
    csidlFavorites,
    csidlStartup,
    csidlRecent,
    csidlSendTo,
    csidlBitBucket,
    csidlStartMenu,
    csidl_None2,
    csidl_None3,
    csidl_None4,
    csidl_None5,
    csidlDesktopDirectory,
    csidlDrives,
    csidlNetwork,
    csidlNethood,
    csidlFonts,
    csidlTemplates,
    csidlCommonStartMenu,
    csidlCommonPrograms,
    csidlCommonStartup,
    csidlCommonDesktopDirectory,
    csidlAppData,
    csidlPrintHood,
    csidlNone,
};

static_assert(csidlDrives == 17 && csidlAppData == 26 && csidlNone == 28);

enum TPTFriendlyNameFlags : std::uint8_t { ptfnNormal, ptfnInFolder, ptfnForParsing };

enum TPTShellIconSize : std::uint8_t { ptsizSmall, ptsizLarge };
