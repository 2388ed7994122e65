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

QStringList MenuCaptions(const MenuEntryList& menu)
{
    QStringList out;
    for (const MenuEntry& m : menu)
        out << m.caption;
    return out;
}

}  // namespace dayloom
