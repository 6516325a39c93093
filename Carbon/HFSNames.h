// Names of the older file system: a length byte and up to 31 bytes of Mac OS Roman, the only
// text encoding here (0, or 0xFFFF for the system's own, which is Mac OS Roman too).
#pragma once

#include "Carbon/FSStatus.h"

#include <QByteArray>
#include <QString>

namespace tz {

inline constexpr quint32 textEncodingMacRoman = 0;
inline constexpr quint32 textEncodingSystemDefault = 0xFFFF;

// -50 without `hfsName` or for another encoding; -37 for a name longer than 31 bytes or, without
// `allowLossyConversion`, a character Mac OS Roman lacks (with it, each such character, a
// surrogate pair counting as one, becomes "?").
[[nodiscard]] OSErr UnicodeNameGetHFSName(const QString& unicodeName, quint32 textEncodingHint,
                                          bool allowLossyConversion, QByteArray* hfsName);
// -50 without `unicodeName`, for an empty buffer or another encoding; -37 when the length byte
// counts more bytes than follow it.
[[nodiscard]] OSErr HFSNameGetUnicodeName(QByteArrayView hfsName, quint32 textEncodingHint, QString* unicodeName);

} // namespace tz
