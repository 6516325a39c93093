#include "Graphics/TzAutoNuller.h"

#include "Foundation/AutoreleaseScope.h"

namespace tz {

std::shared_ptr<const TzAutoNuller> TzAutoNuller::make(void* target, void (*clear)(void*))
{
    auto nuller = std::make_shared<const TzAutoNuller>(target, clear);
    AutoreleaseScope::autorelease(nuller);
    return nuller;
}

TzAutoNuller::~TzAutoNuller()
{
    if (_nilTarget)
        _clear(_nilTarget);
}

QString TzAutoNuller::description() const
{
    return QStringLiteral("<TzAutoNuller: 0x%1>").arg(quintptr(_nilTarget), 0, 16);
}

} // namespace tz
