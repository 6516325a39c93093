// Property-list bytes of any shape: reading never crashes, and whatever reads back writes
// and reads again to an equal object (dates to within a few microseconds, all libplist keeps
// of a binary date's fraction).
#include "Foundation/Array.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/PropertyList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool same(const tz::Id& a, const tz::Id& b)
{
    if (const auto* x = tz::as<tz::Date>(a)) {
        const auto* y = tz::as<tz::Date>(b);
        return y && std::fabs(x->timeIntervalSinceReferenceDate() - y->timeIntervalSinceReferenceDate()) < 1e-5;
    }
    if (const auto* x = tz::as<tz::Array>(a)) {
        const auto* y = tz::as<tz::Array>(b);
        if (!y || x->count() != y->count())
            return false;
        for (qsizetype i = 0; i < x->objects().size(); ++i) {
            if (!same(x->objects().at(i), y->objects().at(i)))
                return false;
        }
        return true;
    }
    if (const auto* x = tz::as<tz::Dictionary>(a)) {
        const auto* y = tz::as<tz::Dictionary>(b);
        if (!y || x->count() != y->count())
            return false;
        for (const auto& [key, value] : x->entries()) {
            if (!same(value, y->objectForKey(key)))
                return false;
        }
        return true;
    }
    return tz::isEqual(a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tz::Id object = tz::propertyList::fromData(bytes);
    if (!object)
        return 0;
    const QByteArray binary = tz::propertyList::toData(object, tz::propertyList::Format::Binary);
    if (!binary.isNull() && !same(tz::propertyList::fromData(binary), object))
        std::abort();
    return 0;
}
