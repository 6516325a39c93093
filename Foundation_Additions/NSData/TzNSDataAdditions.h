// Appending without touching the receiver: each gives new data.
#pragma once

#include <QByteArray>

namespace tz {

[[nodiscard]] QByteArray dataByAppendingData(const QByteArray& data, const QByteArray& other);
// length bytes at bytes (none when bytes is null or length is not positive).
[[nodiscard]] QByteArray dataByAppendingBytesLength(const QByteArray& data, const void* bytes, qsizetype length);

} // namespace tz
