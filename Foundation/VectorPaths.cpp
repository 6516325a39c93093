#include "Foundation/VectorPaths.h"

#include <QtGlobal>

#include <atomic>

namespace tz {

namespace {
std::atomic<int>& state()
{
    // -1: not read yet; 0: portable only; 1: vectorised.
    static std::atomic<int> value{-1};
    return value;
}
} // namespace

bool vectorPathsEnabled() noexcept
{
    int value = state().load(std::memory_order_relaxed);
    if (value < 0) {
        value = qEnvironmentVariableIntValue("TZKIT_PORTABLE_PATHS") == 1 ? 0 : 1;
        int expected = -1;
        if (!state().compare_exchange_strong(expected, value, std::memory_order_relaxed))
            value = expected;
    }
    return value == 1;
}

void setVectorPathsEnabled(bool enabled) noexcept
{
    state().store(enabled ? 1 : 0, std::memory_order_relaxed);
}

} // namespace tz
