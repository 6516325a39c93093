// Emptying a menu.
#pragma once

#include <QMenu>

namespace tz {

// Removes every action of the menu, one by one in the menu's order. Actions the menu owns and
// that no other widget shows are deleted, as QMenu::clear does; others are only removed.
void removeAllItems(QMenu& menu);

} // namespace tz
