#include "shell/dragdrop/MimeDataBridge.h"

#include "platform/FileNameCodec.h"
#include "platform/FileUrl.h"
#include "shell/shell95/OleConstants.h"
#include "shell/utils/ClipboardFormats.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/StgMedium.h"

#include <QDropEvent>
#include <QMimeData>
#include <QStringList>

namespace
{

bool getBlock(IDataObject* dataObject, std::uint16_t number, QByteArray& bytes)
{
    TFormatEtc format;
    format.cfFormat = number;
    TStgMedium medium;
    if (Failed(dataObject->GetData(&format, &medium)))
        return false;
    const bool ok = medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (ok)
        bytes = BytesOfGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return ok;
}

QByteArray fileUrl(const QByteArray& path)
{
    return "file://" + path.toPercentEncoding("/");
}

// "copy"/"cut", then the URLs: the copied-files format, or the same lines in
// plain text after a "x-special/nautilus-clipboard" line, which some file
// managers offer instead.
QByteArray copiedFilesOf(const QMimeData* mimeData)
{
    if (mimeData->hasFormat(QString::fromLatin1(kGnomeCopiedFilesMimeType)))
        return mimeData->data(QString::fromLatin1(kGnomeCopiedFilesMimeType));
    const QByteArray text = mimeData->data(QStringLiteral("text/plain"));
    const QByteArray header = "x-special/nautilus-clipboard\n";
    return text.startsWith(header) ? text.mid(header.size()) : QByteArray();
}

} // namespace

QByteArray UriListFromPaths(const QList<QByteArray>& paths)
{
    QByteArray list;
    for (const QByteArray& path : paths)
        list += fileUrl(path) + "\r\n";
    return list;
}

QList<QByteArray> PathsFromUriList(const QByteArray& uriList)
{
    if (uriList.size() > kMaxUriListBytes)
        return {};
    QList<QByteArray> paths;
    for (QByteArray line : uriList.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (const std::optional<QByteArray> path = LocalPathOfFileUrl(line))
            paths.append(*path);
        if (paths.size() > kMaxUriListPaths)
            return {};
    }
    return paths;
}

QMimeData* MimeDataFromDataObject(IDataObject* dataObject, TClipboardIntent intent)
{
    auto* mimeData = new QMimeData;
    if (!dataObject)
        return mimeData;
    QByteArray idListArray;
    if (getBlock(dataObject, CF_SHELLIDLIST(), idListArray))
        mimeData->setData(QString::fromLatin1(kShellIdListMimeType), idListArray);
    QByteArray fileDrop;
    QList<QByteArray> paths;
    if (getBlock(dataObject, CF_HDROP, fileDrop) &&
        ReadFileDropBlock(fileDrop.constData(), std::size_t(fileDrop.size()), paths) &&
        !paths.isEmpty()) {
        mimeData->setData(QString::fromLatin1(kUriListMimeType), UriListFromPaths(paths));
        QStringList lines;
        for (const QByteArray& path : paths)
            lines.append(FileNameForDisplay(path));
        mimeData->setText(lines.join(QLatin1Char('\n')));
        if (intent != TClipboardIntent::None) {
            QByteArray copied = intent == TClipboardIntent::Cut ? "cut" : "copy";
            for (const QByteArray& path : paths)
                copied += '\n' + fileUrl(path);
            mimeData->setData(QString::fromLatin1(kGnomeCopiedFilesMimeType), copied);
            if (intent == TClipboardIntent::Cut)
                mimeData->setData(QString::fromLatin1(kKdeCutSelectionMimeType), "1");
        }
    }
    return mimeData;
}

QList<QByteArray> LocalPathsFromMimeData(const QMimeData* mimeData)
{
    if (!mimeData)
        return {};
    if (mimeData->hasFormat(QString::fromLatin1(kUriListMimeType)))
        return PathsFromUriList(mimeData->data(QString::fromLatin1(kUriListMimeType)));
    const QByteArray copied = copiedFilesOf(mimeData);
    const qsizetype firstLineEnd = copied.indexOf('\n');
    if (firstLineEnd < 0)
        return {};
    return PathsFromUriList(copied.mid(firstLineEnd + 1));
}

TClipboardIntent ClipboardIntentOf(const QMimeData* mimeData)
{
    if (!mimeData)
        return TClipboardIntent::None;
    const QByteArray copied = copiedFilesOf(mimeData);
    if (copied.startsWith("cut\n") || copied == "cut")
        return TClipboardIntent::Cut;
    if (mimeData->data(QString::fromLatin1(kKdeCutSelectionMimeType)) == "1")
        return TClipboardIntent::Cut;
    return LocalPathsFromMimeData(mimeData).isEmpty() ? TClipboardIntent::None
                                                      : TClipboardIntent::Copy;
}

std::uint32_t KeyStateFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    std::uint32_t state = 0;
    if (buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        state |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        state |= MK_CONTROL;
    if (modifiers & Qt::AltModifier)
        state |= MK_ALT;
    return state;
}

std::uint32_t DropEffectsFromQt(Qt::DropActions actions)
{
    std::uint32_t effects = 0;
    if (actions & Qt::CopyAction)
        effects |= DROPEFFECT_COPY;
    if (actions & Qt::MoveAction)
        effects |= DROPEFFECT_MOVE;
    if (actions & Qt::LinkAction)
        effects |= DROPEFFECT_LINK;
    return effects;
}

Qt::DropActions QtDropActionsFromEffects(std::uint32_t effects)
{
    Qt::DropActions actions;
    if (effects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK)
        actions |= Qt::LinkAction;
    return actions;
}

Qt::DropAction QtDropActionFromEffect(std::uint32_t effect)
{
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

TQtDropArguments DropArgumentsOf(const QDropEvent* event)
{
    TQtDropArguments arguments;
    arguments.keyState = KeyStateFromQt(event->buttons(), event->modifiers());
    const QPoint at = event->position().toPoint();
    arguments.point = TPointL{at.x(), at.y()};
    arguments.effect = DropEffectsFromQt(event->possibleActions());
    return arguments;
}

void AnswerDropEvent(QDropEvent* event, std::uint32_t effect)
{
    const Qt::DropAction action = QtDropActionFromEffect(effect & ~DROPEFFECT_SCROLL);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}
