#include "Foundation/Null.h"

namespace tz {

std::shared_ptr<const Null> Null::null()
{
    static const auto instance = std::make_shared<const Null>();
    return instance;
}

} // namespace tz
