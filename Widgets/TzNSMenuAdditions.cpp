#include "Widgets/TzNSMenuAdditions.h"

namespace tz {

void removeAllItems(QMenu& menu)
{
    // actions() is a copy: removing from the menu does not disturb the walk.
    const QList<QAction*> actions = menu.actions();
    for (QAction* const action : actions) {
        menu.removeAction(action);
        if (action->parent() == &menu && action->associatedObjects().isEmpty())
            delete action;
    }
}

} // namespace tz
