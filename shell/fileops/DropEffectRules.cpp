#include "shell/fileops/DropEffectRules.h"

#include "shell/shell95/OleConstants.h"

#include <initializer_list>

std::uint32_t ChooseDropEffect(std::uint32_t keyState, std::uint32_t allowed, bool sameVolume)
{
    allowed &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const bool control = keyState & MK_CONTROL;
    const bool shift = keyState & MK_SHIFT;
    std::uint32_t forced = DROPEFFECT_NONE;
    if (control && shift)
        forced = DROPEFFECT_LINK;
    else if (control)
        forced = DROPEFFECT_COPY;
    else if (shift)
        forced = DROPEFFECT_MOVE;
    if (forced != DROPEFFECT_NONE)
        return allowed & forced;
    const std::uint32_t preferred = sameVolume ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    const std::uint32_t other = sameVolume ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    for (std::uint32_t effect : {preferred, other, DROPEFFECT_LINK})
        if (allowed & effect)
            return effect;
    return DROPEFFECT_NONE;
}
