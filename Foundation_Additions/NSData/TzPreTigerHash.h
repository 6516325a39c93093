// Stable hash values, fixed here rather than by the platform: the same numbers on every
// system and release. Each reads at most 16 bytes or 16 UTF-16 code units of its input.
#pragma once

#include "Foundation/Object.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tz {

// The ELF hash of all the bytes (always below 2^28).
[[nodiscard]] std::uint32_t TzCFHashBytes(const void* bytes, std::size_t length);
// 0 for empty data, else TzCFHashBytes of the first min(size, 16) bytes.
[[nodiscard]] std::uint32_t preTigerHash(const QByteArray& data);
// Over code units: all of them up to 16, else the first and the last 8, seeded with the length.
[[nodiscard]] std::uint32_t tzPreTigerHash(const QString& string);
// By stored type: int32 its absolute value; int64, float and double the double hash; YES
// 0xA072795C, NO 0xA0727964; uint32, uint64, nil and non-numbers 0.
[[nodiscard]] std::uint32_t preTigerHash(const Id& number);

} // namespace tz
