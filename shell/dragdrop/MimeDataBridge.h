#pragma once

#include "shell/shell95/IDataObject.h"
#include "shell/shell95/OleConstants.h"

#include <QByteArray>
#include <QList>
#include <Qt>

class QDropEvent;
class QMimeData;

// How data objects travel through Qt's drag and drop and clipboard:
// - "Shell IDList Array" keeps its binary block under kShellIdListMimeType;
// - the file-drop format is text/uri-list (file:// URLs, raw path bytes
//   percent-encoded, CR LF after each);
// - text/plain holds the paths, one a line, for text editors;
// - on the clipboard, x-special/gnome-copied-files ("copy" or "cut", then the
//   URLs) says whether the files were cut, and a cut also sets
//   application/x-kde-cutselection to "1".
inline constexpr const char* kShellIdListMimeType = "application/x-veldmark-shell-idlist-array";
inline constexpr const char* kUriListMimeType = "text/uri-list";
inline constexpr const char* kGnomeCopiedFilesMimeType = "x-special/gnome-copied-files";
inline constexpr const char* kKdeCutSelectionMimeType = "application/x-kde-cutselection";

enum class TClipboardIntent { None, Copy, Cut };

// A new QMimeData (the caller owns it) with whatever of the two formats the
// data object gives. `intent` None is for drags; Copy and Cut for the clipboard.
QMimeData* MimeDataFromDataObject(IDataObject* dataObject,
                                  TClipboardIntent intent = TClipboardIntent::None);

// Local paths (raw bytes) named by text/uri-list, else by the clipboard's
// copied-files list (x-special/gnome-copied-files, or the same lines in
// text/plain after "x-special/nautilus-clipboard"). Only file:// URLs of this
// host count; others are skipped.
QList<QByteArray> LocalPathsFromMimeData(const QMimeData* mimeData);
// Cut when the clipboard data says so, Copy when it names files, else None.
TClipboardIntent ClipboardIntentOf(const QMimeData* mimeData);

// A dropped list is read on the user-interface thread and every path costs
// a look-up when it becomes a data object: lists beyond these bounds are
// refused whole (no paths) rather than decoded for seconds.
inline constexpr qsizetype kMaxUriListBytes = 4 * 1024 * 1024;
inline constexpr qsizetype kMaxUriListPaths = 10000;

QByteArray UriListFromPaths(const QList<QByteArray>& paths);
// Local paths of a URI list (see LocalPathsFromMimeData); a "%" without two
// hex digits stands for itself, as QMimeData::urls() reads it.
QList<QByteArray> PathsFromUriList(const QByteArray& uriList);

// Key state (MK_*) of buttons and modifiers, and drop effects <-> Qt actions.
std::uint32_t KeyStateFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
std::uint32_t DropEffectsFromQt(Qt::DropActions actions);
Qt::DropActions QtDropActionsFromEffects(std::uint32_t effects);
// The one action of an effect (copy before move before link); IgnoreAction for none.
Qt::DropAction QtDropActionFromEffect(std::uint32_t effect);

// The arguments of a drop-target call from a Qt drop event: key state of the
// buttons and modifiers Qt reports, the point in the receiving widget's
// coordinates (callers map it to the screen), and the effects the source
// allows. Qt's events carry the buttons still held: a drop arrives with none,
// so controls keep the buttons they saw at the enter.
struct TQtDropArguments {
    std::uint32_t keyState = 0;
    TPointL point;
    std::uint32_t effect = 0;
};
TQtDropArguments DropArgumentsOf(const QDropEvent* event);
// Accepts the event with the effect's action, or ignores it for none.
void AnswerDropEvent(QDropEvent* event, std::uint32_t effect);
