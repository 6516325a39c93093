// Scratch buffers sized to what the machine can spare.
#pragma once

#include <QtGlobal>

#include <cstdlib>
#include <memory>

namespace tz {

struct TempBufferDeleter
{
    void operator()(char* buffer) const { std::free(buffer); }
};
using TempBuffer = std::unique_ptr<char, TempBufferDeleter>;

// A buffer of the wanted size rounded down to a multiple of 4096, at least 4096. When that is
// more than the available memory (MemAvailable of /proc/meminfo) or cannot be allocated, and more
// than 4096 bytes were asked, the available memory less 32768 rounded down to 4096 (4096 when that
// comes to 0). When nothing can be had, or without `actualSize`, no buffer and an actual size 0.
[[nodiscard]] TempBuffer GetTempBuffer(qint64 buffReqSize, qint64* actualSize);
// The same against a given figure of available memory.
[[nodiscard]] TempBuffer GetTempBuffer(qint64 buffReqSize, qint64* actualSize, qint64 availableMemory);

} // namespace tz
