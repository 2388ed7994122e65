#pragma once

#include <functional>

#include <QList>
#include <QString>

namespace dayloom {

// One entry of a popup menu, described by the model and turned into a real
// menu by the widgets. A caption of "-" is a separator.
struct MenuItemSpec {
    QString caption;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    int tag = 0;
    std::function<void()> action;
    QList<MenuItemSpec> submenu;

    bool IsSeparator() const { return caption == QLatin1String("-"); }

    static MenuItemSpec Separator()
    {
        MenuItemSpec m;
        m.caption = QStringLiteral("-");
        return m;
    }
    static MenuItemSpec Item(const QString& caption, std::function<void()> action)
    {
        MenuItemSpec m;
        m.caption = caption;
        m.action = std::move(action);
        return m;
    }
};

using MenuSpec = QList<MenuItemSpec>;

// The item with that caption, searched through submenus too; null when absent.
MenuItemSpec* FindMenuItem(MenuSpec& menu, const QString& caption);
const MenuItemSpec* FindMenuItem(const MenuSpec& menu, const QString& caption);
// The captions at the top level, in order.
QStringList MenuCaptions(const MenuSpec& menu);

}  // namespace dayloom
