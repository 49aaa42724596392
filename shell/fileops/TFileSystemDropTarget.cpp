#include "shell/fileops/TFileSystemDropTarget.h"

#include "shell/fileops/DropEffectRules.h"
#include "shell/fileops/DropMenu.h"
#include "shell/fileops/DroppedFiles.h"
#include "shell/fileops/FilePaths.h"
#include "shell/fileops/TFileTransfer.h"

#include <utility>

#include <sys/stat.h>

TFileSystemDropTarget::TFileSystemDropTarget(const QByteArray& folderPath, HWND owner)
    : m_folder(folderPath), m_owner(owner)
{
}

HRESULT TFileSystemDropTarget::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IDropTarget, object);
}

void TFileSystemDropTarget::readSources(IDataObject* dataObject)
{
    m_sources = DroppedFilePaths(dataObject);
    // The first item decides the volume, as the drag shows one cursor for all.
    m_sameVolume = !m_sources.isEmpty() && FilePaths::SameVolume(m_sources.first(), m_folder);
    m_allInFolder = !m_sources.isEmpty();
    m_intoItself = false;
    for (const QByteArray& source : m_sources) {
        m_allInFolder = m_allInFolder && FilePaths::SameFile(FilePaths::Parent(source), m_folder);
        // Only a real folder can go into itself; a link goes as a link.
        struct stat st;
        m_intoItself =
            m_intoItself || (::lstat(source.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
                             FilePaths::IsInside(m_folder, source));
    }
}

std::uint32_t TFileSystemDropTarget::effectFor(std::uint32_t keyState, std::uint32_t allowed) const
{
    if (m_sources.isEmpty())
        return DROPEFFECT_NONE;
    const std::uint32_t effect = ChooseDropEffect(keyState, allowed, m_sameVolume);
    // Moving files to where they already are does nothing; say so early.
    if (effect == DROPEFFECT_MOVE && m_allInFolder)
        return DROPEFFECT_NONE;
    // A folder cannot go into itself: no-drop while dragging; a drop made
    // anyway is refused with a message by the transfer.
    if (effect != DROPEFFECT_LINK && m_intoItself)
        return DROPEFFECT_NONE;
    return effect;
}

HRESULT TFileSystemDropTarget::DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL,
                                         std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    readSources(dataObject);
    *effect = effectFor(keyState, *effect);
    return S_OK;
}

HRESULT TFileSystemDropTarget::DragOver(std::uint32_t keyState, TPointL, std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    *effect = effectFor(keyState, *effect);
    return S_OK;
}

HRESULT TFileSystemDropTarget::DragLeave()
{
    m_sources.clear();
    return S_OK;
}

HRESULT TFileSystemDropTarget::Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL,
                                    std::uint32_t* effect)
{
    if (!effect)
        return E_POINTER;
    readSources(dataObject);
    const std::uint32_t allowed = *effect;
    *effect = DROPEFFECT_NONE;
    if (m_sources.isEmpty())
        return S_OK;
    std::uint32_t chosen = DROPEFFECT_NONE;
    if (keyState & MK_RBUTTON) {
        const std::uint32_t offered =
            allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
        if (offered)
            chosen = ShowDropMenu(m_owner, offered, ChooseDropEffect(0, offered, m_sameVolume)) &
                     offered;
    } else {
        chosen = ChooseDropEffect(keyState, allowed, m_sameVolume);
        if (chosen == DROPEFFECT_MOVE && m_allInFolder)
            chosen = DROPEFFECT_NONE;
    }
    const QList<QByteArray> sources = std::exchange(m_sources, {});
    if (chosen == DROPEFFECT_NONE)
        return S_OK;
    const TTransferKind kind = chosen == DROPEFFECT_COPY   ? TTransferKind::Copy
                               : chosen == DROPEFFECT_MOVE ? TTransferKind::Move
                                                           : TTransferKind::Link;
    if (Succeeded(TFileTransfer(kind, m_folder, m_owner).Run(sources)))
        *effect = chosen;
    return S_OK;
}
