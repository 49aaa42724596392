#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/IUnknown.h"

#include <QByteArray>
#include <QList>

#include <sys/stat.h>

enum class TTransferKind { Copy, Move, Link };

// Copies, moves or links files and folders into a folder, never losing data:
// - a name clash asks (PTMessageBox: Yes, Yes to All, No, Cancel) before
//   anything is replaced; a dropped or pasted item itself may also be kept
//   beside the existing one under a "name (copy)" name (Keep Both); a folder
//   meeting a folder is merged, asking for each clashing file; a folder is
//   never replaced by a file;
// - a file is copied to a hidden temporary name beside its target and renamed
//   into place, so a failed copy leaves neither a half file nor a changed
//   source, and a replaced file is swapped atomically;
// - a move within one file system is a rename; across file systems each file
//   is copied (and synced) first and its source removed only after that, and
//   a source folder is removed only once it is empty;
// - copying or moving a folder into itself is refused with a message.
// Copying into the folder the item is in makes "name (copy)"; a link there is
// named "Link to name". Links are symbolic links to the absolute source path.
// The first failure or refusal is shown (PTMessageBox) and ends the run.
class TFileTransfer
{
  public:
    TFileTransfer(TTransferKind kind, const QByteArray& targetFolder, HWND owner = nullptr);

    // S_OK when done (items the user chose not to replace are skipped),
    // HResultFromWin32(ERROR_CANCELLED) when the user cancelled, else the
    // code of the failure.
    HRESULT Run(const QList<QByteArray>& sources);

    // Top-level items made in the target folder, in order.
    const QList<QByteArray>& Created() const { return m_created; }

  private:
    enum class Outcome { Done, Skipped, Failed, Cancelled, KeepBoth };

    Outcome transferTop(const QByteArray& source);
    Outcome copyEntry(const QByteArray& src, const QByteArray& dst, bool moving);
    Outcome copyFolder(const QByteArray& src, const struct stat& st, const QByteArray& dst,
                       bool replaceFile, bool moving);
    Outcome copyFileOrLink(const QByteArray& src, const struct stat& st, const QByteArray& dst,
                           bool replace, bool moving);
    Outcome mergeChildren(const QByteArray& src, const QByteArray& dst, bool moving, bool copying);
    Outcome moveEntry(const QByteArray& src, const QByteArray& dst);
    Outcome linkEntry(const QByteArray& src, const QByteArray& dst);

    // Asks about a clash at dst; Done means "replace".
    Outcome confirmReplace(const QByteArray& dst);
    Outcome fail(HRESULT code, const QByteArray& path);
    Outcome refuse(const QString& message);

    TTransferKind m_kind;
    QByteArray m_target;
    HWND m_owner;
    bool m_replaceAll = false;
    QByteArray m_topTarget; // the destination of the item being transferred: may be kept both
    HRESULT m_result = S_OK;
    QList<QByteArray> m_created;
};
