#include "shell/menus/TShellMenu.h"

#include <algorithm>

TShellMenuItem TShellMenuItem::Command(std::uint32_t id, const QString& text, bool enabled)
{
    TShellMenuItem item;
    item.id = id;
    item.text = text;
    item.enabled = enabled;
    return item;
}

TShellMenuItem TShellMenuItem::Separator()
{
    TShellMenuItem item;
    item.kind = Kind::Separator;
    return item;
}

TShellMenuItem TShellMenuItem::Submenu(const QString& text, std::vector<TShellMenuItem> items)
{
    TShellMenuItem item;
    item.kind = Kind::Submenu;
    item.text = text;
    item.items = std::move(items);
    return item;
}

namespace
{

template <class Visit> bool visitCommands(const std::vector<TShellMenuItem>& items, Visit visit)
{
    for (const TShellMenuItem& item : items) {
        if (item.kind == TShellMenuItem::Kind::Submenu) {
            if (visitCommands(item.items, visit))
                return true;
        } else if (item.kind == TShellMenuItem::Kind::Command && visit(item)) {
            return true;
        }
    }
    return false;
}

} // namespace

void TShellMenu::Insert(std::size_t index, std::vector<TShellMenuItem> items)
{
    const auto at = m_items.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_items.size()));
    m_items.insert(at, std::make_move_iterator(items.begin()),
                   std::make_move_iterator(items.end()));
}

std::uint32_t TShellMenu::DefaultId() const
{
    std::uint32_t id = 0;
    visitCommands(m_items, [&](const TShellMenuItem& item) {
        if (item.isDefault)
            id = item.id;
        return item.isDefault;
    });
    return id;
}

std::vector<std::uint32_t> TShellMenu::CommandIds() const
{
    std::vector<std::uint32_t> ids;
    visitCommands(m_items, [&](const TShellMenuItem& item) {
        if (item.id != 0)
            ids.push_back(item.id);
        return false;
    });
    return ids;
}

const TShellMenuItem* TShellMenu::FindCommand(std::uint32_t id) const
{
    const TShellMenuItem* found = nullptr;
    visitCommands(m_items, [&](const TShellMenuItem& item) {
        if (id != 0 && item.id == id)
            found = &item;
        return found != nullptr;
    });
    return found;
}
