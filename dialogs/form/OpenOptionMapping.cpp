#include "dialogs/form/OpenOptionMapping.h"

TPTShellListOptions MapOpenOptionsToList(TPTOpenOptions dialog, TPTShellListOptions current)
{
    return current.With(ptsloOleDrag, dialog.Contains(ptofOleDrag))
        .With(ptsloOleDrop, dialog.Contains(ptofOleDrop))
        .With(ptsloShowHidden, dialog.Contains(ptofShowHidden))
        .With(ptsloHideFoldersWhenLinkedToTree,
              dialog.Contains(ptofHideFoldersInListWhenTreeVisible));
}

TPTShellTreeOptions MapOpenOptionsToTree(TPTOpenOptions dialog, TPTShellTreeOptions current)
{
    const auto set = [&](TPTShellTreeOptions bit, bool on) {
        current = on ? (current | bit) : (current & ~bit);
    };
    set(ptstoOleDrag, dialog.Contains(ptofOleDrag));
    set(ptstoOleDrop, dialog.Contains(ptofOleDrop));
    set(ptstoShowHidden, dialog.Contains(ptofShowHidden));
    return current;
}
