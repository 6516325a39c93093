#include "Foundation_Additions/NSCollection/TzNSNumberExtensions.h"

#include <type_traits>
#include <utility>

namespace tz {

namespace {

template <typename T>
auto widened(T value)
{
    if constexpr (std::is_same_v<T, bool>)
        return int(value);
    else
        return value;
}

template <typename A, typename B>
ComparisonResult ordered(A a, B b)
{
    bool less = false;
    bool greater = false;
    if constexpr (std::is_integral_v<A> && std::is_integral_v<B>) {
        less = std::cmp_less(a, b);
        greater = std::cmp_greater(a, b);
    } else {
        less = double(a) < double(b);
        greater = double(a) > double(b);
    }
    return less ? ComparisonResult::Ascending : greater ? ComparisonResult::Descending : ComparisonResult::Same;
}

} // namespace

ComparisonResult compareNumbers(const Number& a, const Number& b)
{
    return std::visit([](auto x, auto y) { return ordered(widened(x), widened(y)); }, a.storage(), b.storage());
}

NumberPtr max(const NumberPtr& number, const NumberPtr& other)
{
    if (number && other && compareNumbers(*number, *other) == ComparisonResult::Ascending)
        return other;
    return number;
}

NumberPtr min(const NumberPtr& number, const NumberPtr& other)
{
    if (number && other && compareNumbers(*number, *other) == ComparisonResult::Descending)
        return other;
    return number;
}

} // namespace tz
