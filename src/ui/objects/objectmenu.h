#pragma once

#include <QPoint>

#include "objects/menuitemspec.h"

class QMenu;
class QWidget;

namespace dayloom {

// Fills a menu from its description (captions, separators, ticks, enabled
// states, submenus); the actions run the description's actions.
void FillMenu(QMenu* menu, const MenuSpec& spec);
// Shows the menu at a global position and runs the chosen action.
void ExecMenu(const MenuSpec& spec, QPoint globalPos, QWidget* parent);

}  // namespace dayloom
