#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// One entry of a TShellMenu: a command (identifier, text with '&' before the
// mnemonic), a separator, or a submenu (text and entries; no identifier).
struct TShellMenuItem {
    enum class Kind { Command, Separator, Submenu };

    Kind kind = Kind::Command;
    std::uint32_t id = 0; // 0: no command (the greyed Send To placeholder)
    QString text;
    bool enabled = true;
    bool isDefault = false; // shown bold; run by a double click
    std::vector<TShellMenuItem> items;

    static TShellMenuItem Command(std::uint32_t id, const QString& text, bool enabled = true);
    static TShellMenuItem Separator();
    static TShellMenuItem Submenu(const QString& text, std::vector<TShellMenuItem> items);
};

// A popup menu described without widgets: context menus fill it, the shell
// widget layer shows it as a QMenu and hands back the chosen identifier.
class TShellMenu
{
  public:
    std::vector<TShellMenuItem>& Items() { return m_items; }
    const std::vector<TShellMenuItem>& Items() const { return m_items; }

    // Inserts at `index` (the end when beyond it).
    void Insert(std::size_t index, std::vector<TShellMenuItem> items);
    // The default command's identifier, 0 when none is marked.
    std::uint32_t DefaultId() const;
    // Every command identifier, submenus included, in menu order.
    std::vector<std::uint32_t> CommandIds() const;
    // The command with this identifier, searching submenus; null when none.
    const TShellMenuItem* FindCommand(std::uint32_t id) const;

  private:
    std::vector<TShellMenuItem> m_items;
};
