#include "shell/fileops/TTrashDropTarget.h"

#include "shell/fileops/ShellFileVerbs.h"
#include "shell/fileops/TrashEntries.h"

std::uint32_t TTrashDropTarget::EffectFor(const QList<QByteArray>& paths,
                                          std::uint32_t allowed) const
{
    if (!(allowed & DROPEFFECT_MOVE))
        return DROPEFFECT_NONE;
    for (const QByteArray& path : paths)
        if (XdgTrash::IsInTrash(path))
            return DROPEFFECT_NONE;
    return DROPEFFECT_MOVE;
}

HRESULT TTrashDropTarget::Apply(const QList<QByteArray>& paths, std::uint32_t& effect)
{
    // A failure has been shown: the drop ends without an effect, successfully.
    if (Failed(FileVerbDeletePaths(paths, m_owner)))
        effect = DROPEFFECT_NONE;
    return S_OK;
}
