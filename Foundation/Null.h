// The object that stands for "no value" inside collections; one shared instance.
#pragma once

#include "Foundation/Object.h"

namespace tz {

class Null final : public Object
{
public:
    [[nodiscard]] static std::shared_ptr<const Null> null();

    [[nodiscard]] QString className() const override { return QStringLiteral("NSNull"); }
    [[nodiscard]] QString description() const override { return QStringLiteral("<null>"); }
    [[nodiscard]] std::size_t hash() const override { return 0x6e756c6c; }

    Null() = default;
};

} // namespace tz
