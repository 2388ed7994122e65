#include "ui/objects/objectmenu.h"

#include <QMenu>

namespace dayloom {

void FillMenu(QMenu* menu, const MenuEntryList& desc)
{
    for (const MenuEntry& item : desc) {
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (!item.submenu.isEmpty()) {
            QMenu* sub = menu->addMenu(item.caption);
            sub->setEnabled(item.enabled);
            FillMenu(sub, item.submenu);
            continue;
        }
        QAction* a = menu->addAction(item.caption);
        a->setEnabled(item.enabled);
        a->setCheckable(item.checkable);
        a->setChecked(item.checked);
        a->setData(item.tag);
        auto action = item.action;
        if (action)
            QObject::connect(a, &QAction::triggered, a, [action] { action(); });
    }
}

void ExecMenu(const MenuEntryList& desc, QPoint globalPos, QWidget* parent)
{
    QMenu menu(parent);
    FillMenu(&menu, desc);
    // The action may destroy the object whose menu this is: run it after
    // the menu has closed.
    QAction* chosen = menu.exec(globalPos);
    Q_UNUSED(chosen);
}

}  // namespace dayloom
