#include "Foundation_Additions/NSData/TzPreTigerHash.h"

#include "Foundation/Number.h"

#include <algorithm>
#include <cmath>

namespace tz {

namespace {

constexpr qsizetype boundedLength = 16;

std::uint32_t doubleHash(double d)
{
    if (d < 0)
        d = -d;
    const double i = std::rint(d);
    const double v = (d - i) * 4294967295.0 + std::fmod(i, 4294967295.0);
    // NaN fails both comparisons and ends at 0.
    if (!(v > 0.0))
        return 0;
    return v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v);
}

} // namespace

std::uint32_t TzCFHashBytes(const void* bytes, std::size_t length)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    std::uint32_t h = 0;
    for (std::size_t i = 0; i < length; ++i) {
        h = (h << 4) + p[i];
        const std::uint32_t g = h & 0xF0000000u;
        if (g)
            h ^= g >> 24;
        h &= ~g;
    }
    return h;
}

std::uint32_t preTigerHash(const QByteArray& data)
{
    return TzCFHashBytes(data.constData(), static_cast<std::size_t>(std::min(data.size(), boundedLength)));
}

std::uint32_t tzPreTigerHash(const QString& string)
{
    const qsizetype n = string.size();
    const char16_t* units = reinterpret_cast<const char16_t*>(string.constData());
    auto h = static_cast<std::uint32_t>(n);
    const auto add = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            h = h * 257 + units[i];
    };
    if (n <= boundedLength) {
        add(0, n);
    } else {
        add(0, 8);
        add(n - 8, n);
    }
    return h + (h << (n & 31));
}

std::uint32_t preTigerHash(const Id& object)
{
    const auto* number = as<Number>(object);
    if (!number)
        return 0;
    return std::visit(
        [](auto value) -> std::uint32_t {
            using T = decltype(value);
            if constexpr (std::is_same_v<T, bool>)
                return value ? 0xA072795Cu : 0xA0727964u;
            else if constexpr (std::is_same_v<T, std::int32_t>)
                return value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
            else if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, float> || std::is_same_v<T, double>)
                return doubleHash(static_cast<double>(value));
            else
                return 0;
        },
        number->storage());
}

} // namespace tz
