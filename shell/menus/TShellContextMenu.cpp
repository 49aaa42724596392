#include "shell/menus/TShellContextMenu.h"

#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/fileops/FilePaths.h"
#include "shell/fileops/ShellFileVerbs.h"
#include "shell/fileops/TrashEntries.h"
#include "shell/menus/ItemProperties.h"
#include "shell/menus/UrlOpener.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/TIdListPtr.h"

#include <QGuiApplication>
#include <QMimeDatabase>

#include <algorithm>

#include <sys/stat.h>

namespace
{

struct CommandText {
    std::uint32_t offset;
    const char* verb;
    const char* text;
    const char* help;
};

constexpr CommandText kCommands[] = {
    {TShellContextMenu::cmdOpen, "open", "&Open", "Opens the selected items."},
    {TShellContextMenu::cmdExplore, "explore", "&Explore",
     "Opens the selected folders in the file manager."},
    {TShellContextMenu::cmdRestore, "restore", "&Restore",
     "Puts the selected items back where they were deleted from."},
    {TShellContextMenu::cmdDeletePermanently, "delete", "Delete &Permanently",
     "Deletes the selected items for good; they cannot be restored."},
    {TShellContextMenu::cmdCreateLink, "link", "Create &Link",
     "Creates links to the selected items."},
    {TShellContextMenu::cmdDelete, "delete", "&Delete", "Moves the selected items to the trash."},
    {TShellContextMenu::cmdRename, "rename", "Rena&me", "Renames the selected item."},
    {TShellContextMenu::cmdProperties, "properties", "P&roperties",
     "Shows the properties of the selected item."},
    {TShellContextMenu::cmdCut, "cut", "Cu&t",
     "Moves the selected items to the clipboard; paste puts them in their new place."},
    {TShellContextMenu::cmdCopy, "copy", "&Copy", "Copies the selected items to the clipboard."},
    {TShellContextMenu::cmdPaste, "paste", "&Paste",
     "Puts the items of the clipboard into this folder."},
};

const CommandText* commandText(std::uint32_t offset)
{
    for (const CommandText& command : kCommands)
        if (command.offset == offset)
            return &command;
    return nullptr;
}

TShellMenuItem command(std::uint32_t offset, bool enabled = true)
{
    return TShellMenuItem::Command(offset, QString::fromLatin1(commandText(offset)->text), enabled);
}

// The clipboard needs the GUI application; without one, cut, copy and paste
// are not offered.
bool hasClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Separators only between groups: none first, last or twice in a row.
void tidy(std::vector<TShellMenuItem>& items)
{
    std::vector<TShellMenuItem> out;
    for (TShellMenuItem& item : items) {
        const bool separator = item.kind == TShellMenuItem::Kind::Separator;
        if (separator && (out.empty() || out.back().kind == TShellMenuItem::Kind::Separator))
            continue;
        out.push_back(std::move(item));
    }
    if (!out.empty() && out.back().kind == TShellMenuItem::Kind::Separator)
        out.pop_back();
    items = std::move(out);
}

// Gives the menu's entries their identifiers; those beyond `last` go.
std::uint32_t numberItems(std::vector<TShellMenuItem>& items, std::uint32_t first,
                          std::uint32_t last)
{
    std::uint32_t used = 0;
    std::vector<TShellMenuItem> kept;
    for (TShellMenuItem& item : items) {
        if (item.kind == TShellMenuItem::Kind::Submenu) {
            used = std::max(used, numberItems(item.items, first, last));
            if (item.items.empty())
                continue;
        } else if (item.kind == TShellMenuItem::Kind::Command && item.id != 0) {
            // Offsets are stored biased by one, so the greyed entry (0) stays 0.
            const std::uint32_t offset = item.id - 1;
            if (first + offset > last)
                continue;
            item.id = first + offset;
            used = std::max(used, offset + 1);
        }
        kept.push_back(std::move(item));
    }
    items = std::move(kept);
    return used;
}

} // namespace

TShellContextMenu::TShellContextMenu(IShellFolder* folder, PCItemIDList folderAbsolute, HWND owner,
                                     std::uint32_t count, const PCItemIDList* items)
    : m_folder(TComPtr<IShellFolder>::share(folder)),
      m_folderAbsolute(IdListIsEmpty(folderAbsolute) ? QByteArray(2, '\0')
                                                     : IdListToBytes(folderAbsolute)),
      m_owner(owner)
{
    NamespacePaths::PathOfIdList(folderAbsolute, m_folderPath);
    for (std::uint32_t i = 0; i < count; ++i) {
        Target target;
        target.relative = IdListToBytes(items[i]);
        m_targets.push_back(target);
    }
    readTargets();
}

HRESULT TShellContextMenu::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IContextMenu, object);
}

void TShellContextMenu::readTargets()
{
    const auto folder = reinterpret_cast<PCItemIDList>(m_folderAbsolute.constData());
    // The items of one folder share its trash state; only items of the
    // desktop (Home, volumes, desktop entries) have other parents.
    const bool folderInTrash = !m_folderPath.isEmpty() && XdgTrash::IsInTrash(m_folderPath);
    for (Target& target : m_targets) {
        const auto relative = reinterpret_cast<PCItemIDList>(target.relative.constData());
        TIdListPtr absolute(ConcatIdLists(nullptr, folder, relative));
        if (absolute)
            NamespacePaths::PathOfIdList(absolute.get(), target.path);
        ItemData::View view;
        if (ItemData::Read(IdListLastItem(relative), view))
            target.kind = view.kind;
        if (!target.path.isEmpty()) {
            target.trashEntry = XdgTrash::IsTrashEntry(target.path);
            target.inTrash = target.trashEntry || (FilePaths::Parent(target.path) == m_folderPath
                                                       ? folderInTrash
                                                       : XdgTrash::IsInTrash(target.path));
            target.pasteTarget = !target.inTrash && !XdgTrash::IsTrashFilesFolder(target.path);
        }
    }
    if (m_targets.empty())
        return;
    const QList<PCItemIDList> lists = itemLists();
    std::uint32_t attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME |
                               SFGAO_CANDELETE | SFGAO_FOLDER;
    if (Succeeded(m_folder->GetAttributesOf(static_cast<std::uint32_t>(lists.size()),
                                            lists.constData(), &attributes)))
        m_attributes = attributes;
}

QList<PCItemIDList> TShellContextMenu::itemLists() const
{
    QList<PCItemIDList> lists;
    for (const Target& target : m_targets)
        lists << reinterpret_cast<PCItemIDList>(target.relative.constData());
    return lists;
}

const QList<TDesktopApplication>& TShellContextMenu::openWith()
{
    if (!m_openWith) {
        m_openWith.emplace();
        if (m_targets.size() == 1 && !m_targets[0].path.isEmpty()) {
            const QByteArray& path = m_targets[0].path;
            struct stat st;
            const bool folder = ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
            const QString type =
                folder ? QStringLiteral("inode/directory")
                       : QMimeDatabase()
                             .mimeTypeForFile(FileNameToString(FilePaths::BaseName(path)),
                                              QMimeDatabase::MatchExtension)
                             .name();
            *m_openWith = ApplicationsForMimeType(type).mid(0, kMaxOpenWith);
        }
    }
    return *m_openWith;
}

std::vector<TShellMenuItem> TShellContextMenu::plan(std::uint32_t flags)
{
    // Identifiers hold offset + 1 until numberItems() gives the real ones.
    const auto entry = [](std::uint32_t offset, bool enabled = true) {
        TShellMenuItem item = command(offset, enabled);
        item.id = offset + 1;
        return item;
    };
    std::vector<TShellMenuItem> items;
    const bool background = m_targets.empty();
    const bool clipboard = hasClipboard();
    if (background) {
        if (!m_folderPath.isEmpty()) {
            // Nothing is pasted into a trash: it would not know where it came from.
            if (clipboard && !XdgTrash::IsInTrash(m_folderPath) &&
                !XdgTrash::IsTrashFilesFolder(m_folderPath))
                items.push_back(entry(cmdPaste, CanPasteFiles()));
            items.push_back(TShellMenuItem::Separator());
            items.push_back(entry(cmdProperties));
        }
        return items;
    }
    bool allPaths = true, openable = true, anyInTrash = false, allInTrash = true,
         allTrashEntries = true;
    for (const Target& t : m_targets) {
        const bool pathless = t.kind == ItemData::KindComputer || t.kind == ItemData::KindTrash;
        allPaths = allPaths && !t.path.isEmpty();
        openable = openable && (!t.path.isEmpty() || pathless);
        anyInTrash = anyInTrash || t.inTrash;
        allInTrash = allInTrash && t.inTrash;
        allTrashEntries = allTrashEntries && t.trashEntry;
    }
    const bool single = m_targets.size() == 1;
    const auto has = [&](std::uint32_t attribute) { return (m_attributes & attribute) != 0; };

    std::vector<TShellMenuItem> open;
    if ((flags & CMF_EXPLORE) && has(SFGAO_FOLDER) && openable)
        open.push_back(entry(cmdExplore));
    if (openable)
        open.push_back(entry(cmdOpen));
    if (!open.empty() && !(flags & CMF_NODEFAULT))
        open.front().isDefault = true;
    if (flags & CMF_DEFAULTONLY) {
        if (!open.empty() && open.front().isDefault)
            items.push_back(open.front());
        return items;
    }
    items = open;
    if (single && allPaths) {
        std::vector<TShellMenuItem> apps;
        const QList<TDesktopApplication>& applications = openWith();
        for (qsizetype i = 0; i < applications.size(); ++i) {
            QString name = applications[i].name;
            apps.push_back(
                TShellMenuItem::Command(cmdOpenWithFirst + std::uint32_t(i) + 1,
                                        name.replace(QLatin1Char('&'), QLatin1String("&&"))));
        }
        if (!apps.empty())
            items.push_back(TShellMenuItem::Submenu(QStringLiteral("Open Wit&h"), std::move(apps)));
    }
    items.push_back(TShellMenuItem::Separator());
    if (allTrashEntries)
        items.push_back(entry(cmdRestore));
    if (allPaths && !anyInTrash) {
        items.push_back(TShellMenuItem::Separator());
        items.push_back(TShellMenuItem::Submenu(
            QStringLiteral("Se&nd To"),
            {TShellMenuItem::Command(0, QStringLiteral("(empty)"), false)}));
    }
    items.push_back(TShellMenuItem::Separator());
    if (clipboard && allPaths && !anyInTrash && has(SFGAO_CANMOVE))
        items.push_back(entry(cmdCut));
    if (clipboard && allPaths && has(SFGAO_CANCOPY))
        items.push_back(entry(cmdCopy));
    if (clipboard && single && m_targets[0].pasteTarget && has(SFGAO_FOLDER))
        items.push_back(entry(cmdPaste, CanPasteFiles()));
    items.push_back(TShellMenuItem::Separator());
    if (allPaths && !anyInTrash && has(SFGAO_CANLINK))
        items.push_back(entry(cmdCreateLink));
    if (allPaths && !anyInTrash && has(SFGAO_CANDELETE))
        items.push_back(entry(cmdDelete));
    if (allInTrash)
        items.push_back(entry(cmdDeletePermanently));
    if (single && (flags & CMF_CANRENAME) && has(SFGAO_CANRENAME))
        items.push_back(entry(cmdRename));
    items.push_back(TShellMenuItem::Separator());
    if (single && allPaths)
        items.push_back(entry(cmdProperties));
    tidy(items);
    return items;
}

HRESULT TShellContextMenu::QueryContextMenu(TShellMenu* menu, std::uint32_t index,
                                            std::uint32_t first, std::uint32_t last,
                                            std::uint32_t flags)
{
    if (!menu)
        return E_INVALIDARG;
    std::vector<TShellMenuItem> items = plan(flags);
    const std::uint32_t used = numberItems(items, first, last);
    tidy(items);
    menu->Insert(index, std::move(items));
    return static_cast<HRESULT>(used);
}

bool TShellContextMenu::offers(std::uint32_t offset)
{
    // Numbered from 1, so that offset 0 is not taken for "no command".
    TShellMenu menu;
    std::vector<TShellMenuItem> items = plan(CMF_EXPLORE | CMF_CANRENAME);
    numberItems(items, 1, 0x7FFF);
    menu.Insert(0, std::move(items));
    return menu.FindCommand(offset + 1) != nullptr;
}

std::optional<std::uint32_t> TShellContextMenu::offsetOfVerb(const QString& verb)
{
    for (const CommandText& c : kCommands)
        if (verb.compare(QLatin1String(c.verb), Qt::CaseInsensitive) == 0 && offers(c.offset))
            return c.offset;
    return std::nullopt;
}

HRESULT TShellContextMenu::GetCommandString(std::uint32_t offset, std::uint32_t type,
                                            std::uint32_t*, QString* text)
{
    const CommandText* c = commandText(offset);
    const bool app = offset >= cmdOpenWithFirst && offset < cmdOpenWithFirst + kMaxOpenWith &&
                     offset - cmdOpenWithFirst < std::uint32_t(openWith().size());
    if (type == GCS_VALIDATE)
        return (c || app) && offers(offset) ? S_OK : S_FALSE;
    if (!text)
        return E_INVALIDARG;
    text->clear();
    if (type == GCS_VERB) {
        if (!c)
            return E_INVALIDARG; // Open With entries have no canonical verb
        *text = QString::fromLatin1(c->verb);
        return S_OK;
    }
    if (type == GCS_HELPTEXT) {
        if (app) {
            *text = QStringLiteral("Opens the item with %1.")
                        .arg(openWith()[offset - cmdOpenWithFirst].name);
            return S_OK;
        }
        if (!c)
            return E_INVALIDARG;
        *text = QString::fromLatin1(c->help);
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT TShellContextMenu::InvokeCommand(const TCMInvokeCommandInfo& info)
{
    std::uint32_t offset = info.commandOffset;
    if (!info.verb.isEmpty()) {
        const std::optional<std::uint32_t> found = offsetOfVerb(info.verb);
        if (!found)
            return E_INVALIDARG;
        offset = *found;
    } else if (!offers(offset)) {
        return E_INVALIDARG;
    }
    return run(offset, info);
}

QString TShellContextMenu::displayName(const Target& target) const
{
    if (target.kind == ItemData::KindComputer)
        return QStringLiteral("Computer");
    if (target.kind == ItemData::KindTrash)
        return QStringLiteral("Trash");
    return FileNameForDisplay(FilePaths::BaseName(target.path));
}

HRESULT TShellContextMenu::fail(HWND owner, const QString& message)
{
    TPTMessageBoxRequest request;
    request.parent = owner;
    request.text = message;
    PTMessageBox(request);
    return E_FAIL;
}

HRESULT TShellContextMenu::run(std::uint32_t offset, const TCMInvokeCommandInfo& info)
{
    const HWND owner = info.hwnd ? info.hwnd : m_owner;
    const auto folderAbsolute = reinterpret_cast<PCItemIDList>(m_folderAbsolute.constData());
    if (offset >= cmdOpenWithFirst) {
        const TDesktopApplication app = openWith().value(offset - cmdOpenWithFirst);
        const HRESULT hr = LaunchApplication(app, {m_targets[0].path});
        if (Failed(hr))
            fail(owner,
                 QStringLiteral("Cannot start \"%1\": %2").arg(app.name, ResultCodeText(hr)));
        return hr;
    }
    switch (offset) {
    case cmdOpen:
    case cmdExplore:
        return openTargets(owner);
    case cmdRestore:
        return restoreTargets(owner);
    case cmdDeletePermanently:
        return deleteTargetsPermanently(owner);
    case cmdCreateLink:
        return FileVerbCreateLink(m_folder.get(), itemLists(), owner);
    case cmdDelete:
        return FileVerbDelete(m_folder.get(), itemLists(), owner);
    case cmdRename:
        return rename(info.parameters, owner);
    case cmdProperties:
        return showProperties(owner);
    case cmdCut:
        return FileVerbCut(m_folder.get(), folderAbsolute, itemLists());
    case cmdCopy:
        return FileVerbCopy(m_folder.get(), folderAbsolute, itemLists());
    case cmdPaste:
        return FileVerbPaste(m_targets.empty() ? m_folderPath : m_targets[0].path, owner);
    default:
        return E_INVALIDARG;
    }
}

HRESULT TShellContextMenu::openTargets(HWND owner)
{
    for (const Target& target : m_targets) {
        const QUrl url = !target.path.isEmpty() ? FileUrlOfPath(target.path)
                         : target.kind == ItemData::KindTrash
                             ? QUrl(QStringLiteral("trash:///"))
                             : QUrl(QStringLiteral("computer:///"));
        if (!OpenUrlWithDesktop(url))
            return fail(owner, QStringLiteral("Cannot open \"%1\": no application opens it.")
                                   .arg(displayName(target)));
    }
    return S_OK;
}

HRESULT TShellContextMenu::restoreTargets(HWND owner)
{
    for (const Target& target : m_targets) {
        if (const HRESULT hr = XdgTrash::Restore(target.path); Failed(hr)) {
            fail(owner, QStringLiteral("Cannot restore \"%1\": %2")
                            .arg(displayName(target), ResultCodeText(hr)));
            return hr;
        }
    }
    return S_OK;
}

HRESULT TShellContextMenu::deleteTargetsPermanently(HWND owner)
{
    TPTMessageBoxRequest question;
    question.parent = owner;
    question.icon = TPTMsgIcon::Question;
    question.text = m_targets.size() == 1
                        ? QStringLiteral("Do you want to delete \"%1\" for good? It cannot be "
                                         "restored.")
                              .arg(displayName(m_targets[0]))
                        : QStringLiteral("Do you want to delete these %1 items for good? They "
                                         "cannot be restored.")
                              .arg(m_targets.size());
    question.buttons = ptmbYes | ptmbNo;
    question.defaultButton = ptmbNo;
    // No answer (no box could be shown) keeps the items.
    if (PTMessageBox(question) != ptmbYes)
        return HResultFromWin32(ERROR_CANCELLED);
    for (const Target& target : m_targets) {
        if (const HRESULT hr = XdgTrash::DeletePermanently(target.path); Failed(hr)) {
            fail(owner, QStringLiteral("Cannot delete \"%1\": %2")
                            .arg(displayName(target), ResultCodeText(hr)));
            return hr;
        }
    }
    return S_OK;
}

HRESULT TShellContextMenu::rename(const QString& newName, HWND owner)
{
    if (newName.isEmpty() || m_targets.size() != 1)
        return E_INVALIDARG;
    PItemIDList renamed = nullptr;
    const HRESULT hr = m_folder->SetNameOf(
        owner, reinterpret_cast<PCItemIDList>(m_targets[0].relative.constData()), newName,
        SHGDN_INFOLDER | SHGDN_FOREDITING, &renamed);
    TIdListPtr owned(renamed);
    return hr;
}

HRESULT TShellContextMenu::showProperties(HWND owner)
{
    const QByteArray path = m_targets.empty() ? m_folderPath : m_targets[0].path;
    TItemProperties properties;
    if (!ReadItemProperties(path, properties))
        return fail(
            owner,
            QStringLiteral("Cannot read the properties of \"%1\".").arg(FileNameForDisplay(path)));
    properties.parent = owner;
    ShowItemProperties(properties);
    return S_OK;
}
