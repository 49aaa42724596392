#include "shell/fileops/DropMenu.h"

#include "shell/TReplaceableCall.h"

namespace
{

TReplaceableCall<TDropMenuHandler>& dropMenu()
{
    static TReplaceableCall<TDropMenuHandler> call;
    return call;
}

} // namespace

std::uint32_t ShowDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect)
{
    if (const TDropMenuHandler show = dropMenu().Current())
        return show(owner, allowed, defaultEffect);
    return 0;
}

TDropMenuHandler SetDropMenuHandler(TDropMenuHandler handler)
{
    return dropMenu().SetHandler(std::move(handler));
}

void SetDropMenuPresenter(TDropMenuHandler presenter)
{
    dropMenu().SetPresenter(std::move(presenter));
}

bool HasDropMenuPresenter()
{
    return dropMenu().HasPresenter();
}
