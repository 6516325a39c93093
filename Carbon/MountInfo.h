// The kernel's table of mounts as /proc/self/mountinfo writes it: one line per mount, fields
// separated by spaces, "\ooo" octal escapes in paths, optional fields ended by "-".
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace tz {

struct MountInfoEntry
{
    int mountId = 0;
    int parentId = 0;
    quint32 major = 0;
    quint32 minor = 0;
    QString root; // the mounted folder inside its file system
    QString mountPoint;
    QString mountOptions;
    QString fileSystemType;
    QString source; // the mounted-from name, "none" or a device path
    QString superOptions;

    friend bool operator==(const MountInfoEntry&, const MountInfoEntry&) = default;
};

// The entries of the well-formed lines, in order; lines missing a field, with numbers that do
// not parse or without the "-" separator are skipped.
[[nodiscard]] QList<MountInfoEntry> parseMountInfo(QByteArrayView text);
// The current process's mounts (empty when the table cannot be read).
[[nodiscard]] QList<MountInfoEntry> readMountInfo();

} // namespace tz
