#include "shellwidgets/menus/ShellMenuCommands.h"

#include "shell/menus/TShellMenu.h"
#include "shellwidgets/menus/SendToSubmenu.h"

namespace
{

constexpr qsizetype kMaxCommandString = 261;

} // namespace

HRESULT InvokeShellMenuCommand(IContextMenu* contextMenu, std::uint32_t offset, HWND owner)
{
    if (!contextMenu)
        return E_POINTER;
    TCMInvokeCommandInfo info;
    info.hwnd = owner;
    info.commandOffset = offset;
    info.nShow = 1;
    return contextMenu->InvokeCommand(info);
}

std::optional<std::uint32_t> ShellMenuVerbOffset(IContextMenu* contextMenu, const QString& verb)
{
    if (!contextMenu)
        return std::nullopt;
    TShellMenu menu;
    if (Failed(contextMenu->QueryContextMenu(&menu, 0, kFirstShellCommandId, kLastShellCommandId,
                                             CMF_EXPLORE)))
        return std::nullopt;
    for (const std::uint32_t id : menu.CommandIds()) {
        if (id < std::uint32_t(kFirstShellCommandId))
            continue;
        QString commandVerb;
        const std::uint32_t offset = id - kFirstShellCommandId;
        if (Failed(contextMenu->GetCommandString(offset, GCS_VERB, nullptr, &commandVerb)))
            continue;
        if (commandVerb.left(kMaxCommandString).compare(verb, Qt::CaseInsensitive) == 0)
            return offset;
    }
    return std::nullopt;
}

HRESULT InvokeShellMenuVerb(IContextMenu* contextMenu, const QString& verb, HWND owner)
{
    const std::optional<std::uint32_t> offset = ShellMenuVerbOffset(contextMenu, verb);
    if (!offset)
        return E_INVALIDARG;
    return InvokeShellMenuCommand(contextMenu, *offset, owner);
}

QString ShellMenuHelpText(IContextMenu* contextMenu, int id)
{
    if (!contextMenu || id < kFirstShellCommandId)
        return QString();
    QString text;
    if (Failed(contextMenu->GetCommandString(std::uint32_t(id - kFirstShellCommandId), GCS_HELPTEXT,
                                             nullptr, &text)))
        return QString();
    return text.left(kMaxCommandString);
}
