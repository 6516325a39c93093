#include "app/Application.h"

#include "Foundation/AutoreleaseScope.h"

#include <optional>

bool Application::notify(QObject* receiver, QEvent* event)
{
    std::optional<tz::AutoreleaseScope> scope;
    if (!tz::AutoreleaseScope::current())
        scope.emplace();
    return QApplication::notify(receiver, event);
}
