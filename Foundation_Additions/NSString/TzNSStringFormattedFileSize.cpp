#include "Foundation_Additions/NSString/TzNSStringFormattedFileSize.h"

#include "Foundation/Format.h"

namespace tz {

QString formattedFileSize(double size)
{
    struct Unit
    {
        double divisor;
        const char* name;
    };
    static constexpr Unit units[] = {{1099511627776.0, "tb"}, {1073741824.0, "gb"}, {1048576.0, "mb"}, {1024.0, "kb"}};
    for (const Unit& unit : units) {
        if (size > unit.divisor)
            return format("%2.2f%@", size / unit.divisor, unit.name);
    }
    return format("%2.2f%@", size, "Bytes");
}

} // namespace tz
