// Forks and Finder information. The data fork is the file itself; the resource fork and the
// 32 bytes of Finder information (16 of file-browser information, 16 extended) live in the
// AppleDouble companion "._name". No companion: no resource fork and all-zero information.
#pragma once

#include "Carbon/FSRef.h"

#include <QByteArray>

#include <span>

namespace tz {

// The logical sizes of the data and resource forks; either may be left out. -1302 for a folder,
// -36 for an unreadable companion.
[[nodiscard]] OSErr FSGetForkSizes(const FSRef& ref, quint64* dataLogicalSize, quint64* rsrcLogicalSize);
// Sums over the item's forks: the data fork always, the resource fork when the companion has one
// (a folder has none). Each result may be left out.
[[nodiscard]] OSErr FSGetTotalForkSizes(const FSRef& ref, quint64* totalLogicalSize, quint64* totalPhysicalSize,
                                        quint32* forkCount);
// Each result may be left out; the Finder halves come back as 16 bytes each.
[[nodiscard]] OSErr FSGetFinderInfo(const FSRef& ref, QByteArray* info, QByteArray* extendedInfo, bool* isDirectory);
// A null QByteArray leaves that half alone; another size than 16 is -50. Information that becomes
// all zero removes the companion when nothing else is in it.
[[nodiscard]] OSErr FSSetFinderInfo(const FSRef& ref, const QByteArray& info, const QByteArray& extendedInfo);

// Copies the whole of the open file `sourceRefNum` (a file descriptor) over `destRefNum`: the
// destination is cut to the source's size, both start at offset 0, and chunks of the buffer's size
// (rounded down to a multiple of 4096 from 4096 on) go across without filling the page cache.
// -50 without a buffer; the first read or write failure otherwise.
[[nodiscard]] OSErr FSCopyFork(int sourceRefNum, int destRefNum, std::span<char> copyBuffer);

// The item open at the file descriptor `forkRefNum`; -51 for a descriptor that is not open,
// -43 when the item was removed or replaced since it was opened.
[[nodiscard]] OSErr FileRefNumGetFSRef(int forkRefNum, FSRef* ref);

} // namespace tz
