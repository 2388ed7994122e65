#pragma once

#include <QPoint>

#include "objects/menuentry.h"

class QMenu;
class QWidget;

namespace dayloom {

// Fills a menu from its description (captions, separators, ticks, enabled
// states, submenus); the actions run the description's actions.
void FillMenu(QMenu* menu, const MenuEntryList& desc);
// Shows the menu at a global position and runs the chosen action.
void ExecMenu(const MenuEntryList& desc, QPoint globalPos, QWidget* parent);

}  // namespace dayloom
