#include "shell/fileops/FileSystemDropTargetFactory.h"

#include "platform/FileNameCodec.h"
#include "shell/fileops/TApplicationDropTarget.h"
#include "shell/fileops/TFileSystemDropTarget.h"
#include "shell/fileops/TTrashDropTarget.h"
#include "shell/fileops/TrashEntries.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/TIdListPtr.h"

#include <sys/stat.h>

HRESULT CreateFileSystemDropTarget(IShellFolder*, PCItemIDList folderIdList, HWND owner,
                                   std::uint32_t count, const PCItemIDList* items, REFIID iid,
                                   void** object)
{
    if (!(iid == IID_IDropTarget))
        return E_NOINTERFACE;
    if (count != 1 || !items || IdListIsEmpty(items[0]))
        return E_NOINTERFACE;
    ItemData::View view;
    if (ItemData::Read(items[0], view) && view.kind == ItemData::KindTrash) {
        *object = static_cast<IDropTarget*>(new TTrashDropTarget(owner));
        return S_OK;
    }
    TIdListPtr absolute(ConcatIdLists(nullptr, folderIdList, items[0]));
    if (!absolute)
        return E_OUTOFMEMORY;
    QByteArray path;
    struct stat st;
    if (!NamespacePaths::PathOfIdList(absolute.get(), path) || ::stat(path.constData(), &st) != 0)
        return E_NOINTERFACE;
    // A link file to a folder (a Send To entry, a desktop shortcut) takes
    // drops into that folder; an application's entry hands them to the program.
    if (S_ISREG(st.st_mode) && path.toLower().endsWith(kShortcutExtension)) {
        const QString file = FileNameToString(path);
        if (std::optional<TDesktopApplication> application = DesktopApplicationOfFile(file)) {
            *object = static_cast<IDropTarget*>(new TApplicationDropTarget(*application));
            return S_OK;
        }
        TLinkData link;
        if (Failed(ResolveShortcut(file, link, false)) || link.Path.isEmpty())
            return E_NOINTERFACE;
        path = FileNameFromString(link.Path);
        if (::stat(path.constData(), &st) != 0)
            return E_NOINTERFACE;
    }
    if (!S_ISDIR(st.st_mode))
        return E_NOINTERFACE;
    // A trash's own files folder, reached by its path: files put there
    // directly would have no record of where they came from.
    if (XdgTrash::IsTrashFilesFolder(path))
        *object = static_cast<IDropTarget*>(new TTrashDropTarget(owner));
    else
        *object = static_cast<IDropTarget*>(new TFileSystemDropTarget(path, owner));
    return S_OK;
}
