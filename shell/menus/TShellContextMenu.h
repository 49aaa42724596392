#pragma once

#include "shell/menus/DesktopApplications.h"
#include "shell/menus/TShellMenu.h"
#include "shell/shell95/IContextMenu.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"

#include <QByteArray>
#include <QList>

#include <optional>
#include <vector>

// The context menu of one or several items of a folder, or of the folder's
// background (no items): what GetUIObjectOf hands out for IID_IContextMenu.
//
// Commands sit at fixed offsets, so the controls can rely on them: Open 0
// (the default), Explore 1 (folders, with CMF_EXPLORE; then the default),
// Restore 2 and Delete Permanently 3 (items in a trash; the latter answers
// to "delete" there), Create Link 16, Delete 17 (to the trash), Rename 18,
// Properties 19, Cut 24, Copy 25, Paste 26, and the applications of Open
// With from 32. Send To is a submenu holding one greyed entry without a
// command, which the controls replace with their own entries. A command is
// offered only when every item allows it (the folder's attributes).
//
// Verbs run without a display where they can: Open goes through the
// replaceable URL opener, Properties through the replaceable presenter, and
// questions and failures through PTMessageBox. "rename" takes the new name
// as its parameters (the controls rename in place instead and never invoke
// offset 18). User-interface thread only.
class TShellContextMenu final : public TComObject<IContextMenu>
{
  public:
    enum TCommandOffset : std::uint32_t {
        cmdOpen = 0,
        cmdExplore = 1,
        cmdRestore = 2,
        cmdDeletePermanently = 3,
        cmdCreateLink = 16,
        cmdDelete = 17,
        cmdRename = 18,
        cmdProperties = 19,
        cmdCut = 24,
        cmdCopy = 25,
        cmdPaste = 26,
        cmdOpenWithFirst = 32,
    };
    static constexpr int kMaxOpenWith = 64;

    TShellContextMenu(IShellFolder* folder, PCItemIDList folderAbsolute, HWND owner,
                      std::uint32_t count, const PCItemIDList* items);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT QueryContextMenu(TShellMenu* menu, std::uint32_t index, std::uint32_t first,
                             std::uint32_t last, std::uint32_t flags) override;
    HRESULT InvokeCommand(const TCMInvokeCommandInfo& info) override;
    HRESULT GetCommandString(std::uint32_t commandOffset, std::uint32_t type,
                             std::uint32_t* reserved, QString* text) override;

  private:
    struct Target {
        QByteArray relative; // the item's list, relative to the folder
        QByteArray path;     // empty for Computer and Trash
        std::uint8_t kind = 0;
        bool inTrash = false;
        bool trashEntry = false;
        bool pasteTarget = false; // a folder items may be pasted into (not in a trash)
    };

    void readTargets();
    // The menu with offsets for identifiers, as the flags ask for it.
    std::vector<TShellMenuItem> plan(std::uint32_t flags);
    const QList<TDesktopApplication>& openWith();
    bool offers(std::uint32_t offset);
    std::optional<std::uint32_t> offsetOfVerb(const QString& verb);
    QList<PCItemIDList> itemLists() const;
    QString displayName(const Target& target) const;
    HRESULT run(std::uint32_t offset, const TCMInvokeCommandInfo& info);
    HRESULT openTargets(HWND owner);
    HRESULT restoreTargets(HWND owner);
    HRESULT deleteTargetsPermanently(HWND owner);
    HRESULT rename(const QString& newName, HWND owner);
    HRESULT showProperties(HWND owner);
    HRESULT fail(HWND owner, const QString& message);

    TComPtr<IShellFolder> m_folder;
    QByteArray m_folderAbsolute;
    QByteArray m_folderPath;
    HWND m_owner;
    std::vector<Target> m_targets;
    std::uint32_t m_attributes = 0; // shared by all items
    std::optional<QList<TDesktopApplication>> m_openWith;
};
