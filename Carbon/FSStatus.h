// Status codes of the file-reference functions: 16-bit, 0 for success, negative for failure.
// statusOfErrno maps a system error number onto the nearest of them.
#pragma once

#include <QtGlobal>

namespace tz {

using OSErr = qint16;

inline constexpr OSErr fsNoError = 0;
inline constexpr OSErr fsNoSuchVolume = -35; // normal end of a volume scan
inline constexpr OSErr fsIoError = -36;
inline constexpr OSErr fsBadName = -37;
inline constexpr OSErr fsEndOfFile = -39; // normal end of a fork copy
inline constexpr OSErr fsNoSuchItem = -43;
inline constexpr OSErr fsVolumeWriteProtected = -44; // read-only mount
inline constexpr OSErr fsItemLocked = -45;
inline constexpr OSErr fsVolumeLocked = -46; // never given: Linux has no software volume lock
inline constexpr OSErr fsItemBusy = -47;
inline constexpr OSErr fsDuplicateName = -48;
inline constexpr OSErr fsDiskFull = -34;
inline constexpr OSErr fsParameterError = -50; // missing argument; also "not supported here"
inline constexpr OSErr fsNoMemory = -108;
inline constexpr OSErr fsNotAFolder = -120;
inline constexpr OSErr fsFileIdExists = -1301;
inline constexpr OSErr fsIsAFolder = -1302;
inline constexpr OSErr fsDifferentVolumes = -1303;
inline constexpr OSErr fsNoMoreItems = -1417; // normal end of an iteration
inline constexpr OSErr fsAccessDenied = -5000;
inline constexpr OSErr fsServerFileIdExists = -5035;

// Functions with no Linux counterpart answer this.
inline constexpr OSErr fsNotSupported = fsParameterError;

// ENOENT and ENOTDIR -43, EACCES and EPERM -5000, EROFS -44, EEXIST and ENOTEMPTY -48, EXDEV -1303,
// ENOMEM -108, ENOSPC -34, EBUSY -47, ENAMETOOLONG -37, EINVAL -50, anything else -36; 0 for 0.
[[nodiscard]] OSErr statusOfErrno(int errorNumber);

} // namespace tz
