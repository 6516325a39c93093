#include "Foundation/AutoreleaseScope.h"

namespace tz {

namespace {
thread_local AutoreleaseScope* innermost = nullptr;
}

AutoreleaseScope::AutoreleaseScope() : _outer(innermost)
{
    innermost = this;
}

AutoreleaseScope::~AutoreleaseScope()
{
    // Callbacks may open scopes of their own or add to this one; run until none is left.
    for (std::size_t i = 0; i < _callbacks.size(); ++i) {
        auto callback = std::move(_callbacks[i]);
        if (callback)
            callback();
    }
    innermost = _outer;
    _objects.clear();
}

AutoreleaseScope* AutoreleaseScope::current()
{
    return innermost;
}

bool AutoreleaseScope::autorelease(const Id& object)
{
    if (!innermost)
        return false;
    innermost->_objects.push_back(object);
    return true;
}

bool AutoreleaseScope::atEnd(std::function<void()> callback)
{
    if (!innermost)
        return false;
    innermost->_callbacks.push_back(std::move(callback));
    return true;
}

} // namespace tz
