#include "objects/menuitemspec.h"

#include <QStringList>

namespace dayloom {

const MenuItemSpec* FindMenuItem(const MenuSpec& menu, const QString& caption)
{
    for (const MenuItemSpec& m : menu) {
        if (m.caption == caption)
            return &m;
        if (const MenuItemSpec* sub = FindMenuItem(m.submenu, caption))
            return sub;
    }
    return nullptr;
}

MenuItemSpec* FindMenuItem(MenuSpec& menu, const QString& caption)
{
    return const_cast<MenuItemSpec*>(FindMenuItem(std::as_const(menu), caption));
}

QStringList MenuCaptions(const MenuSpec& menu)
{
    QStringList out;
    for (const MenuItemSpec& m : menu)
        out << m.caption;
    return out;
}

}  // namespace dayloom
