// A thread-local stack of scopes: objects and callbacks handed to the innermost scope
// live until it ends. Used only where behaviour depends on a scope ending
// (per-event-cycle caches, the auto-nuller); ordinary results are plain RAII values.
#pragma once

#include "Foundation/Object.h"

#include <functional>
#include <vector>

namespace tz {

class AutoreleaseScope
{
public:
    AutoreleaseScope();
    ~AutoreleaseScope();
    AutoreleaseScope(const AutoreleaseScope&) = delete;
    AutoreleaseScope& operator=(const AutoreleaseScope&) = delete;

    // The innermost scope of this thread, or nullptr when none is open.
    [[nodiscard]] static AutoreleaseScope* current();
    // Keeps the object alive until the innermost scope ends; false when no scope is open.
    static bool autorelease(const Id& object);
    // Runs the callback when the innermost scope ends (in the order added); false when no scope is open.
    static bool atEnd(std::function<void()> callback);

    [[nodiscard]] std::size_t pendingCount() const { return _objects.size() + _callbacks.size(); }

private:
    AutoreleaseScope* _outer;
    std::vector<Id> _objects;
    std::vector<std::function<void()>> _callbacks;
};

} // namespace tz
