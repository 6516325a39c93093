#include "Functions/SystemVersion.h"

#include <algorithm>
#include <atomic>

#include <sys/utsname.h>

namespace tz {

namespace {

std::atomic<unsigned> cachedVersion{0};

// The decimal number at the front of the part starting at pos, clamped to limit; pos moves past the part.
unsigned versionPart(QByteArrayView release, qsizetype& pos, unsigned limit, bool& anyDigit)
{
    unsigned value = 0;
    while (pos < release.size() && release[pos] >= '0' && release[pos] <= '9') {
        value = std::min(value * 10 + unsigned(release[pos] - '0'), limit);
        anyDigit = true;
        ++pos;
    }
    // Only a dot followed by more of the number continues it; anything else ends the version.
    if (pos < release.size() && release[pos] == '.')
        ++pos;
    else
        pos = release.size();
    return value;
}

unsigned bcd(unsigned value)
{
    return (value / 10) << 4 | value % 10;
}

} // namespace

unsigned systemVersionFromRelease(QByteArrayView release)
{
    qsizetype pos = 0;
    bool leading = false;
    const unsigned major = versionPart(release, pos, 99, leading);
    if (!leading)
        return 0;
    bool ignored = false;
    const unsigned minor = versionPart(release, pos, 9, ignored);
    const unsigned patch = versionPart(release, pos, 9, ignored);
    return bcd(major) << 8 | minor << 4 | patch;
}

unsigned SystemVersion()
{
    unsigned value = cachedVersion.load(std::memory_order_relaxed);
    if (value == 0) {
        utsname name{};
        if (::uname(&name) == 0)
            value = systemVersionFromRelease(QByteArrayView(name.release)) & 0xFFFF;
        cachedVersion.store(value, std::memory_order_relaxed);
    }
    return value;
}

bool isJaguarOrLater()
{
    return SystemVersion() > 0x101F;
}

bool isJag()
{
    return isJaguarOrLater();
}

bool isPantherOrLater()
{
    return SystemVersion() > 0x102F;
}

bool isTigerOrLater()
{
    return SystemVersion() > 0x103F;
}

void setSystemVersionForTesting(unsigned value)
{
    cachedVersion.store(value, std::memory_order_relaxed);
}

} // namespace tz
