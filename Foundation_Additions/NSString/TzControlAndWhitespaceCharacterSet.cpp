#include "Foundation_Additions/NSString/TzControlAndWhitespaceCharacterSet.h"

#include <mutex>

namespace tz {

namespace {

std::mutex slotMutex;
std::optional<CharacterSet> slot;

} // namespace

CharacterSet controlAndWhitespaceCharacterSet()
{
    const std::lock_guard lock(slotMutex);
    if (!slot)
        slot = CharacterSet::whitespaceCharacterSet().united(CharacterSet::controlCharacterSet());
    return *slot;
}

std::optional<CharacterSet> sharedCandWCharacterSet()
{
    const std::lock_guard lock(slotMutex);
    return slot;
}

void setSharedCandWCharacterSet(const std::optional<CharacterSet>& set)
{
    const std::lock_guard lock(slotMutex);
    slot = set;
}

} // namespace tz
