#include "shell/fileops/DropMenu.h"

#include <utility>

namespace
{

TDropMenuHandler& installedHandler()
{
    static TDropMenuHandler handler;
    return handler;
}

TDropMenuHandler& installedPresenter()
{
    static TDropMenuHandler presenter;
    return presenter;
}

} // namespace

std::uint32_t ShowDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect)
{
    if (const TDropMenuHandler handler = installedHandler())
        return handler(owner, allowed, defaultEffect);
    if (const TDropMenuHandler presenter = installedPresenter())
        return presenter(owner, allowed, defaultEffect);
    return 0;
}

TDropMenuHandler SetDropMenuHandler(TDropMenuHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

void SetDropMenuPresenter(TDropMenuHandler presenter)
{
    installedPresenter() = std::move(presenter);
}

bool HasDropMenuPresenter()
{
    return bool(installedPresenter());
}
