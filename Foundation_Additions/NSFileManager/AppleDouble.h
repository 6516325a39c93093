// AppleDouble companion files ("._name" beside "name", version 2): the Finder information
// (entry 9) and resource fork (entry 2) of files on a file system that keeps neither.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tz {

// Companion "._name" beside name (same folder); trailing slashes of the path are ignored.
// Null for an empty path.
[[nodiscard]] QString appleDoubleCompanionPath(const QString& path);

inline constexpr quint32 appleDoubleResourceForkEntry = 2;
inline constexpr quint32 appleDoubleFinderInfoEntry = 9;

struct AppleDoubleEntry
{
    quint32 id = 0;
    QByteArray data;
};

// A parsed companion file, entries in file order, unknown entries kept as they are.
struct AppleDouble
{
    QByteArray filler; // the 16-byte field after the version (zeros in a new file)
    QList<AppleDoubleEntry> entries;

    // The first entry with that id; a null QByteArray when absent.
    [[nodiscard]] QByteArray entry(quint32 id) const;
    // Replaces the entry, or appends it when absent (Finder information goes in front of a
    // resource fork, the order macOS writes).
    void setEntry(quint32 id, const QByteArray& data);
    void removeEntry(quint32 id);
    // No entry holds a non-zero byte.
    [[nodiscard]] bool isEmpty() const;
};

enum class AppleDoubleStatus { Absent, Ok, Malformed, IoError };

// Malformed: wrong magic or version, or a header, descriptor or entry beyond the bytes.
// Entries may overlap; each is copied out on its own. *out is cleared first.
[[nodiscard]] AppleDoubleStatus parseAppleDouble(const QByteArray& bytes, AppleDouble* out);
// Header, descriptors, then the entries' data in entry order, packed. A filler that is not 16
// bytes long is written as zeros.
[[nodiscard]] QByteArray serializeAppleDouble(const AppleDouble& file);
// Reads the companion of `path` (the data file's path, not the companion's). Absent leaves
// *out empty with a zero filler.
[[nodiscard]] AppleDoubleStatus readAppleDouble(const QString& path, AppleDouble* out);
// Writes atomically (tz::writeAtomically); removes the companion when file.isEmpty(); never overwrites a
// malformed or unreadable companion (returns false). False when nothing exists at `path`.
[[nodiscard]] bool writeAppleDouble(const QString& path, const AppleDouble& file);

// Finder information of `path`: 32 bytes, all zero when there is no companion or no entry 9 (a
// shorter entry reads zero-filled; a longer one keeps its extra bytes on write). Absent and Ok
// are successes; on failure *info32 is all zero.
[[nodiscard]] AppleDoubleStatus readFinderInfo(const QString& path, QByteArray* info32);
// False unless info32 holds exactly 32 bytes. A companion left with nothing but zeros is removed.
[[nodiscard]] bool writeFinderInfo(const QString& path, const QByteArray& info32);
// Size in bytes of the resource fork (entry 2); 0 without companion; -1 when malformed or
// unreadable.
[[nodiscard]] qint64 resourceForkSize(const QString& path);

// Companions follow their files: call these after the data file itself was moved, copied,
// removed or exchanged. All answer true when there is no companion. Moving or copying a file
// without companion removes a stale companion at the destination.
[[nodiscard]] bool moveAppleDoubleCompanion(const QString& fromPath, const QString& toPath);
[[nodiscard]] bool copyAppleDoubleCompanion(const QString& fromPath, const QString& toPath);
[[nodiscard]] bool removeAppleDoubleCompanion(const QString& path);
// Swaps the resource forks with the contents; every other entry (Finder information, dates,
// comments) stays with its name. Nothing changes when either companion is malformed.
[[nodiscard]] bool exchangeAppleDoubleCompanions(const QString& a, const QString& b);

} // namespace tz
