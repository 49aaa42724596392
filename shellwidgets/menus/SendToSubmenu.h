#pragma once

#include <QChar>
#include <QStringList>

class QMenu;

// The Send To submenu of a shell context menu. The shell's menu describes it
// as a submenu holding one greyed placeholder; the controls replace that with
// the entries of TPTSendToList when the submenu opens, as commands 1, 2, ...
// (entry k is command k + 1), shown with their icons and names without
// extensions. Typing a letter in the submenu selects the next entry starting
// with it, runs it when it is the only one, and closes the submenu when none
// does.

// Command identifiers of Send To entries are below this.
inline constexpr int kFirstShellCommandId = 50;
inline constexpr int kLastShellCommandId = 0x7FFF;

// A submenu with exactly one item, and that one greyed: the placeholder.
bool IsSendToPlaceholder(const QMenu* submenu);
// Re-reads the Send To folder and puts its entries in place of the
// placeholder; an empty folder leaves the placeholder.
void FillSendToSubmenu(QMenu* submenu);
// Every placeholder submenu below `menu` is filled when it is about to show
// and answers typed letters with SendToMenuChar.
void InstallSendToSubmenus(QMenu* menu);

// The answer to a typed character in a Send To submenu: close the menu,
// execute the entry at `index` (the only one starting with the character), or
// select it (several do). The search starts after `highlighted` (from the
// first entry when it is -1), wraps around, and ignores case.
struct TSendToMenuChar {
    enum Kind { Close = 1, Execute = 2, Select = 3 };
    Kind kind = Close;
    int index = -1;
};
TSendToMenuChar SendToMenuChar(const QStringList& names, int highlighted, QChar typed);
