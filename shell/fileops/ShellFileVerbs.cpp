#include "shell/fileops/ShellFileVerbs.h"

#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/fileops/FilePaths.h"
#include "shell/fileops/TFileTransfer.h"
#include "shell/fileops/XdgTrash.h"
#include "shell/shell95/TComPtr.h"
#include "shell/dragdrop/DataObjectNames.h"
#include "shell/dragdrop/TDataObject_shlv.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace
{

HRESULT putOnClipboard(IShellFolder* folder, PCItemIDList folderAbsolute,
                       const QList<PCItemIDList>& items, TClipboardIntent intent)
{
    TComPtr<IDataObject> dataObject;
    const HRESULT hr = TDataObject_shlv::Create(folder, folderAbsolute, items, dataObject.put());
    if (hr != S_OK)
        return hr;
    QGuiApplication::clipboard()->setMimeData(MimeDataFromDataObject(dataObject.get(), intent));
    return S_OK;
}

} // namespace

HRESULT FileVerbCut(IShellFolder* folder, PCItemIDList folderAbsolute,
                    const QList<PCItemIDList>& items)
{
    return putOnClipboard(folder, folderAbsolute, items, TClipboardIntent::Cut);
}

HRESULT FileVerbCopy(IShellFolder* folder, PCItemIDList folderAbsolute,
                     const QList<PCItemIDList>& items)
{
    return putOnClipboard(folder, folderAbsolute, items, TClipboardIntent::Copy);
}

bool CanPasteFiles()
{
    return !LocalPathsFromMimeData(QGuiApplication::clipboard()->mimeData()).isEmpty();
}

HRESULT FileVerbPaste(const QByteArray& targetFolder, HWND owner)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mimeData = clipboard->mimeData();
    const QList<QByteArray> paths = LocalPathsFromMimeData(mimeData);
    if (paths.isEmpty())
        return S_FALSE;
    const bool cut = ClipboardIntentOf(mimeData) == TClipboardIntent::Cut;
    const QByteArray copied = mimeData->data(QString::fromLatin1(kGnomeCopiedFilesMimeType));
    const HRESULT hr =
        TFileTransfer(cut ? TTransferKind::Move : TTransferKind::Copy, targetFolder, owner)
            .Run(paths);
    // Only the data that was pasted is cleared; another program may have
    // replaced it meanwhile (a question box runs the event loop).
    if (Succeeded(hr) && cut && clipboard->mimeData() &&
        clipboard->mimeData()->data(QString::fromLatin1(kGnomeCopiedFilesMimeType)) == copied)
        clipboard->clear();
    return hr;
}

HRESULT FileVerbDelete(IShellFolder* folder, const QList<PCItemIDList>& items, HWND owner)
{
    return FileVerbDeletePaths(ParsingPathsOf(folder, items), owner);
}

HRESULT FileVerbDeletePaths(const QList<QByteArray>& paths, HWND owner)
{
    for (const QByteArray& path : paths) {
        if (const HRESULT hr = XdgTrash::MoveToTrash(path); Failed(hr)) {
            TPTMessageBoxRequest request;
            request.parent = owner;
            request.text = QStringLiteral("Cannot move \"%1\" to the trash: %2")
                               .arg(FileNameForDisplay(path), ResultCodeText(hr));
            PTMessageBox(request);
            return hr;
        }
    }
    return S_OK;
}

HRESULT FileVerbCreateLink(IShellFolder* folder, const QList<PCItemIDList>& items, HWND owner)
{
    for (const QByteArray& path : ParsingPathsOf(folder, items)) {
        const HRESULT hr =
            TFileTransfer(TTransferKind::Link, FilePaths::Parent(path), owner).Run({path});
        if (Failed(hr))
            return hr;
    }
    return S_OK;
}
