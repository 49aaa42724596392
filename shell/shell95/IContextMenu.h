#pragma once

#include "shell/shell95/IUnknown.h"

#include <QString>

#include <cstdint>

class TShellMenu;

// QueryContextMenu flags.
constexpr std::uint32_t CMF_NORMAL = 0x0;
constexpr std::uint32_t CMF_DEFAULTONLY = 0x1; // only the default command
constexpr std::uint32_t CMF_EXPLORE = 0x4;     // folders get Explore, as their default
constexpr std::uint32_t CMF_CANRENAME = 0x10;  // the caller can rename: offer Rename
constexpr std::uint32_t CMF_NODEFAULT = 0x20;  // mark no command as the default

// GetCommandString kinds (names are QStrings, so the narrow and wide kinds
// of the platform are one).
constexpr std::uint32_t GCS_VERB = 0x4;
constexpr std::uint32_t GCS_HELPTEXT = 0x5;
constexpr std::uint32_t GCS_VALIDATE = 0x6;

// What InvokeCommand runs: a canonical verb ("open", "copy", "delete", ...)
// when `verb` is set, else the command at `commandOffset` from the first
// identifier given to QueryContextMenu.
struct TCMInvokeCommandInfo {
    std::uint32_t cbSize = 36;
    std::uint32_t fMask = 0;
    HWND hwnd = nullptr;
    std::uint32_t commandOffset = 0;
    QString verb;
    QString parameters; // "rename": the new name
    QString directory;
    int nShow = 1;
};

// The shell's menu of one or several items of a folder, or of the folder's
// background (no items). Command offsets are fixed, so a verb and its offset
// stay the same in every menu: Rename is always offset 18.
class IContextMenu : public IUnknown
{
  public:
    // Inserts the commands into `menu` at position `index`, each with the
    // identifier first + its offset (only those up to `last`). Answers a
    // success code holding the largest offset used + 1.
    virtual HRESULT QueryContextMenu(TShellMenu* menu, std::uint32_t index, std::uint32_t first,
                                     std::uint32_t last, std::uint32_t flags) = 0;
    virtual HRESULT InvokeCommand(const TCMInvokeCommandInfo& info) = 0;
    // The verb or help text of the command at an offset; for GCS_VALIDATE
    // S_OK when the command exists, S_FALSE when not.
    virtual HRESULT GetCommandString(std::uint32_t commandOffset, std::uint32_t type,
                                     std::uint32_t* reserved, QString* text) = 0;
};
