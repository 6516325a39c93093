// The running kernel's version as one binary-coded-decimal value, cached for the process,
// and the three version thresholds.
//
// Digits rule: the release text from uname ("6.1.0-18-amd64") gives its first three
// dot-separated decimal numbers major.minor.patch (a missing or non-numeric part counts
// as 0, digits after the first non-digit of a part are ignored). The value is
// 0xMMmp: the major number as two BCD digits, minor and patch as one BCD digit each, so
// 10.4.2 is 0x1042 and 6.1.0 is 0x0610. Clamping: a major number above 99 counts as 99,
// a minor or patch number above 9 counts as 9 (5.15.131 is 0x0599). A text without a
// leading number gives 0.
#pragma once

#include <QByteArrayView>

namespace tz {

// The cached value; 0 counts as not yet asked, so a failed uname is asked again next time.
[[nodiscard]] unsigned SystemVersion();
// Version value greater than 0x101F; the two are the same test.
[[nodiscard]] bool isJaguarOrLater();
[[nodiscard]] bool isJag();
// Greater than 0x102F.
[[nodiscard]] bool isPantherOrLater();
// Greater than 0x103F.
[[nodiscard]] bool isTigerOrLater();

// The value of a release text by the digits rule above.
[[nodiscard]] unsigned systemVersionFromRelease(QByteArrayView release);

// Tests only: replaces the cached value (0 makes the next call ask uname again).
void setSystemVersionForTesting(unsigned value);

} // namespace tz
