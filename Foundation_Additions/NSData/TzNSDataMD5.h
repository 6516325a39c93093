// An MD5 trailer protects a payload: the payload's bytes followed by their 16-byte MD5
// (md5_buffer, no cryptographic service needed). Recognised only by position.
#pragma once

#include <QByteArray>

namespace tz {

// 16 bytes: the MD5 of all the bytes.
[[nodiscard]] QByteArray MD5ForData(const QByteArray& data);
// The bytes followed by their MD5.
[[nodiscard]] QByteArray dataWithAppendedMD5(const QByteArray& data);
// Without the last 16 bytes, unchecked; empty for data shorter than 16 bytes.
[[nodiscard]] QByteArray dataMinusMD5(const QByteArray& data);
// Whether md5 is, byte for byte, MD5ForData(data); a null or other-length md5 gives false.
[[nodiscard]] bool dataChecksWithMD5(const QByteArray& data, const QByteArray& md5);
// Whether the last 16 bytes are the MD5 of the bytes before them; false for data shorter than 16.
[[nodiscard]] bool dataChecksWithMD5(const QByteArray& data);

} // namespace tz
