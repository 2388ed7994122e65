#pragma once

#include <functional>

#include <QList>
#include <QString>

namespace dayloom {

// One entry of a popup menu, described by the model and turned into a real
// menu by the widgets. A caption of "-" is a separator.
struct MenuEntry {
    QString caption;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    int tag = 0;
    std::function<void()> action;
    QList<MenuEntry> submenu;

    bool IsSeparator() const { return caption == QLatin1String("-"); }

    static MenuEntry Separator()
    {
        MenuEntry m;
        m.caption = QStringLiteral("-");
        return m;
    }
    static MenuEntry Item(const QString& caption, std::function<void()> action)
    {
        MenuEntry m;
        m.caption = caption;
        m.action = std::move(action);
        return m;
    }
};

using MenuEntryList = QList<MenuEntry>;

// The item with that caption, searched through submenus too; null when absent.
MenuEntry* FindMenuItem(MenuEntryList& menu, const QString& caption);
const MenuEntry* FindMenuItem(const MenuEntryList& menu, const QString& caption);
// The captions at the top level, in order.
QStringList MenuCaptions(const MenuEntryList& menu);

}  // namespace dayloom
