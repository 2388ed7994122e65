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
    // An item that shows a tick (set later with CheckMenuItem).
    static MenuEntry CheckItem(const QString& caption, std::function<void()> action)
    {
        MenuEntry m = Item(caption, std::move(action));
        m.checkable = true;
        return m;
    }
};

using MenuEntryList = QList<MenuEntry>;

// The item with that caption, searched through submenus too; null when absent.
MenuEntry* FindMenuItem(MenuEntryList& menu, const QString& caption);
const MenuEntry* FindMenuItem(const MenuEntryList& menu, const QString& caption);
// Sets the tick / the enabled state of the item with that caption, if any.
void CheckMenuItem(MenuEntryList& menu, const QString& caption, bool checked);
void EnableMenuItem(MenuEntryList& menu, const QString& caption, bool enabled);
// The captions at the top level, in order.
QStringList MenuCaptions(const MenuEntryList& menu);

}  // namespace dayloom
