#include "Foundation_Additions/NSFileManager/FileAttributes.h"

#include "Foundation/Date.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <vector>

#define TZ_FILE_CONSTANT(name) const QString name = QStringLiteral(#name)

TZ_FILE_CONSTANT(NSFileType);
TZ_FILE_CONSTANT(NSFileSize);
TZ_FILE_CONSTANT(NSFileModificationDate);
TZ_FILE_CONSTANT(NSFileCreationDate);
TZ_FILE_CONSTANT(NSFileReferenceCount);
TZ_FILE_CONSTANT(NSFileDeviceIdentifier);
TZ_FILE_CONSTANT(NSFileSystemNumber);
TZ_FILE_CONSTANT(NSFileSystemFileNumber);
TZ_FILE_CONSTANT(NSFilePosixPermissions);
TZ_FILE_CONSTANT(NSFileOwnerAccountID);
TZ_FILE_CONSTANT(NSFileGroupOwnerAccountID);
TZ_FILE_CONSTANT(NSFileOwnerAccountName);
TZ_FILE_CONSTANT(NSFileGroupOwnerAccountName);
TZ_FILE_CONSTANT(NSFileImmutable);
TZ_FILE_CONSTANT(NSFileAppendOnly);
TZ_FILE_CONSTANT(NSFileHFSCreatorCode);
TZ_FILE_CONSTANT(NSFileHFSTypeCode);

TZ_FILE_CONSTANT(NSFileTypeDirectory);
TZ_FILE_CONSTANT(NSFileTypeRegular);
TZ_FILE_CONSTANT(NSFileTypeSymbolicLink);
TZ_FILE_CONSTANT(NSFileTypeSocket);
TZ_FILE_CONSTANT(NSFileTypeCharacterSpecial);
TZ_FILE_CONSTANT(NSFileTypeBlockSpecial);
TZ_FILE_CONSTANT(NSFileTypeUnknown);

namespace tz {

namespace {

const QString& typeOf(quint16 mode)
{
    switch (mode & S_IFMT) {
    case S_IFDIR: return NSFileTypeDirectory;
    case S_IFREG: return NSFileTypeRegular;
    case S_IFLNK: return NSFileTypeSymbolicLink;
    case S_IFSOCK: return NSFileTypeSocket;
    case S_IFCHR: return NSFileTypeCharacterSpecial;
    case S_IFBLK: return NSFileTypeBlockSpecial;
    default: return NSFileTypeUnknown;
    }
}

Id dateOf(const struct statx_timestamp& t)
{
    return Date::make(double(t.tv_sec) + double(t.tv_nsec) / 1e9);
}

// Calls the reentrant lookup with a buffer that grows until the entry fits; null when absent.
template <typename Entry, typename Lookup, typename Field>
QString lookedUpName(Lookup lookup, Field field)
{
    std::vector<char> buffer(1024);
    for (;;) {
        Entry entry{};
        Entry* found = nullptr;
        const int error = lookup(&entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        return error == 0 && found && field(*found) ? QFile::decodeName(field(*found)) : QString();
    }
}

QString userName(quint32 uid)
{
    return lookedUpName<passwd>([uid](passwd* entry, char* buffer, size_t size,
                                      passwd** found) { return ::getpwuid_r(uid, entry, buffer, size, found); },
                                [](const passwd& entry) { return entry.pw_name; });
}

QString groupName(quint32 gid)
{
    return lookedUpName<group>([gid](group* entry, char* buffer, size_t size,
                                     group** found) { return ::getgrgid_r(gid, entry, buffer, size, found); },
                               [](const group& entry) { return entry.gr_name; });
}

QString cachedName(QHash<quint32, QString>* cache, quint32 id, QString (*lookup)(quint32))
{
    if (!cache)
        return lookup(id);
    const auto known = cache->constFind(id);
    if (known != cache->cend())
        return *known;
    return *cache->insert(id, lookup(id));
}

// The inode flags where statx does not report them; a regular file or folder only, so that no
// device is opened.
int inodeFlags(const QString& path, quint16 mode)
{
    if (!S_ISREG(mode) && !S_ISDIR(mode))
        return 0;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0)
        flags = 0;
    ::close(fd);
    return flags;
}

} // namespace

bool statusOfItem(const QString& path, bool traverseLink, struct statx* status)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return false;
    return ::statx(AT_FDCWD, QFile::encodeName(path).constData(), traverseLink ? 0 : AT_SYMLINK_NOFOLLOW,
                   STATX_BASIC_STATS | STATX_BTIME, status)
        == 0;
}

DictionaryPtr fileAttributesFromStatus(const struct statx& status, const QString& path, AccountNames* names)
{
    const quint16 mode = status.stx_mode;
    QList<Dictionary::Entry> entries;
    entries.reserve(17);
    const auto add = [&entries](const QString& key, Id value) {
        if (value)
            entries.append({str(key), std::move(value)});
    };
    add(NSFileType, str(typeOf(mode)));
    add(NSFileSize, num(std::uint64_t(status.stx_size)));
    add(NSFileModificationDate, dateOf(status.stx_mtime));
    if (status.stx_mask & STATX_BTIME)
        add(NSFileCreationDate, dateOf(status.stx_btime));
    add(NSFileReferenceCount, num(std::uint64_t(status.stx_nlink)));
    if (S_ISCHR(mode) || S_ISBLK(mode))
        add(NSFileDeviceIdentifier, num(std::uint64_t(makedev(status.stx_rdev_major, status.stx_rdev_minor))));
    add(NSFileSystemNumber, num(std::uint64_t(makedev(status.stx_dev_major, status.stx_dev_minor))));
    add(NSFileSystemFileNumber, num(std::uint64_t(status.stx_ino)));
    add(NSFilePosixPermissions, num(std::uint32_t(mode & 07777)));
    add(NSFileOwnerAccountID, num(std::uint32_t(status.stx_uid)));
    add(NSFileGroupOwnerAccountID, num(std::uint32_t(status.stx_gid)));
    const QString owner = cachedName(names ? &names->users : nullptr, status.stx_uid, userName);
    if (!owner.isNull())
        add(NSFileOwnerAccountName, str(owner));
    const QString group = cachedName(names ? &names->groups : nullptr, status.stx_gid, groupName);
    if (!group.isNull())
        add(NSFileGroupOwnerAccountName, str(group));

    constexpr quint64 flagBits = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
    bool immutable = false;
    bool appendOnly = false;
    if ((status.stx_attributes_mask & flagBits) == flagBits) {
        immutable = (status.stx_attributes & STATX_ATTR_IMMUTABLE) != 0;
        appendOnly = (status.stx_attributes & STATX_ATTR_APPEND) != 0;
    } else {
        const int flags = inodeFlags(path, mode);
        immutable = (flags & FS_IMMUTABLE_FL) != 0;
        appendOnly = (flags & FS_APPEND_FL) != 0;
    }
    add(NSFileImmutable, boolean(immutable));
    add(NSFileAppendOnly, boolean(appendOnly));

    if (!S_ISDIR(mode)) {
        QByteArray info;
        if (readFinderInfo(path, &info) == AppleDoubleStatus::Ok) {
            add(NSFileHFSTypeCode, num(qFromBigEndian<quint32>(info.constData())));
            add(NSFileHFSCreatorCode, num(qFromBigEndian<quint32>(info.constData() + 4)));
        }
    }
    return Dictionary::make(entries);
}

} // namespace tz
