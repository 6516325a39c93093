// Menu validation by convention. A menu item is a QAction whose action selector is kept on it
// (setActionSelector where the menu is built). For an item whose action is copy:, the target
// may offer a Q_INVOKABLE bool menuValidationForCopy(QAction*) deciding whether it is enabled;
// a target may map actions to other validation selectors with a Q_INVOKABLE
// tz::Selector validationMethodForSelector(tz::Selector). Targets that offer neither fall back
// to a simple rule: the application's delegate enables what it or the application object
// answers; any other target enables everything.
#pragma once

#include "Foundation/Selector.h"

#include <QAction>

namespace tz {

// Keeps the action selector on the item (a dynamic property); no selector removes it.
void setActionSelector(QAction* item, Selector action);
// The item's action selector; none when it has none.
[[nodiscard]] Selector actionSelector(const QAction* item);

// The application's delegate (the object that stands beside the application object).
void setApplicationDelegate(QObject* delegate);
[[nodiscard]] QObject* applicationDelegate();

// The receiver's validation selector for the action: its own validationMethodForSelector when
// it offers one, otherwise validationMethodExistsForAction.
[[nodiscard]] Selector validationMethodForSelector(QObject* receiver, Selector action);

// Whether the item is enabled for the target:
//   1. an item without an action is enabled;
//   2. the validation selector comes from the target's validationMethodForSelector when it
//      answers one, otherwise from validationMethodExistsForAction;
//   3. when there is one and the target answers it, its result (a validation method of another
//      shape writes "BAD METHOD SIGNATURE FOR [%@ %@]" and disables the item);
//   4. otherwise, for the application's delegate: enabled when the delegate or the
//      application object answers the action;
//   5. any other target: enabled.
[[nodiscard]] bool TzValidateMenuItem(QAction* item, QObject* target);
// The same with the receiver as the target; a controller's menu-validation hook forwards to it.
[[nodiscard]] bool TzValidateMenuItem(QObject* receiver, QAction* item);

} // namespace tz
