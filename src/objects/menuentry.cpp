#include "objects/menuentry.h"

#include <QStringList>

namespace dayloom {

const MenuEntry* FindMenuItem(const MenuEntryList& menu, const QString& caption)
{
    for (const MenuEntry& m : menu) {
        if (m.caption == caption)
            return &m;
        if (const MenuEntry* sub = FindMenuItem(m.submenu, caption))
            return sub;
    }
    return nullptr;
}

MenuEntry* FindMenuItem(MenuEntryList& menu, const QString& caption)
{
    return const_cast<MenuEntry*>(FindMenuItem(std::as_const(menu), caption));
}

void CheckMenuItem(MenuEntryList& menu, const QString& caption, bool checked)
{
    if (MenuEntry* item = FindMenuItem(menu, caption))
        item->checked = checked;
}

void EnableMenuItem(MenuEntryList& menu, const QString& caption, bool enabled)
{
    if (MenuEntry* item = FindMenuItem(menu, caption))
        item->enabled = enabled;
}

QStringList MenuCaptions(const MenuEntryList& menu)
{
    QStringList out;
    for (const MenuEntry& m : menu)
        out << m.caption;
    return out;
}

}  // namespace dayloom
