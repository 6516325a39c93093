// The size a property list may have, checked on its bytes before libplist parses them:
// libplist recurses once per nesting level while parsing and freeing, and copies a binary
// list's object once for every reference to it, so a small file can exhaust stack or memory.
#pragma once

#include <QByteArray>

#include <cstdint>

namespace tz::propertyList {

// Nesting levels below the root (the root's children are at level 1).
inline constexpr int maxDepth = 512;
// Objects once every reference is expanded: dictionary keys count, and so does the root.
inline constexpr std::int64_t maxNodes = 10'000'000;
// A binary list may reference one object many times. Expanded, it may hold at most this many
// objects more than it has bytes: each reference takes at least a byte, so a list whose
// containers are not shared (as libplist writes them) stays below its size.
inline constexpr std::int64_t maxBinaryExpansion = 65536;
// Bytes of string and data contents once every reference is expanded (UTF-16 at two a unit).
inline constexpr std::int64_t maxTextBytes = 64 * 1024 * 1024;

// Whether the bytes stay within the limits above. A binary list (bplist) is checked through its
// trailer, offset table and object references (every reference in range, no cycle); anything
// else is scanned as XML for element nesting and count. Runs in time and memory linear in the
// bytes, without recursion. False also for a binary list whose table or references are broken
// or whose dictionary keys are not strings or hold U+0000, and for XML whose key holds a NUL
// byte or a reference to U+0000 (libplist aborts on a key holding a NUL).
[[nodiscard]] bool withinLimits(const QByteArray& bytes);

} // namespace tz::propertyList
