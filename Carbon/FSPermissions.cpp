#include "Carbon/FSPermissions.h"

#include "Carbon/FSRefPrivate.h"

#include <QByteArray>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace tz {

namespace {

bool may(const QString& path, int what)
{
    return ::faccessat(AT_FDCWD, fsref::encoded(path).constData(), what, AT_EACCESS) == 0;
}

OSErr checkVolume(FSVolumeRefNum volume)
{
    return FSGetVInfo(volume, nullptr, nullptr, nullptr);
}

// The account database's buffers: start at the system's hint and grow on ERANGE.
template <typename Entry, typename Lookup>
OSErr lookUp(Lookup lookup, Entry* entry, std::vector<char>* buffer)
{
    const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    buffer->resize(hint > 0 ? size_t(hint) : 1024);
    for (;;) {
        Entry* found = nullptr;
        const int error = lookup(entry, buffer->data(), buffer->size(), &found);
        if (error == ERANGE && buffer->size() < (1u << 20)) {
            buffer->resize(buffer->size() * 2);
            continue;
        }
        if (error != 0)
            return statusOfErrno(error);
        return found ? fsNoError : fsNoSuchItem;
    }
}

} // namespace

OSErr FSGetUserPrivilegesPermissions(const FSRef& ref, quint8* userPrivileges, FSPermissionInfo* permissions)
{
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError)
        return status;
    quint8 access = 0;
    if (info.st_uid == ::geteuid())
        access |= fsAccessOwner;
    if (may(ref.path, W_OK))
        access |= fsAccessWrite;
    if (may(ref.path, R_OK))
        access |= fsAccessRead;
    if (may(ref.path, X_OK))
        access |= fsAccessSearch;
    if (userPrivileges)
        *userPrivileges = quint8(~access & (fsAccessOwner | fsAccessWrite | fsAccessRead | fsAccessSearch));
    if (permissions)
        *permissions = FSPermissionInfo{info.st_uid, info.st_gid, 0, access, quint16(info.st_mode), 0};
    return fsNoError;
}

OSErr FSMapID(FSVolumeRefNum volume, quint32 id, quint32 objType, QString* name)
{
    if (!name || (objType != fsOwnerIDToName && objType != fsGroupIDToName))
        return fsParameterError;
    if (const OSErr status = checkVolume(volume); status != fsNoError)
        return status;
    std::vector<char> buffer;
    if (objType == fsOwnerIDToName) {
        struct passwd entry
        {};
        const OSErr status =
            lookUp([id](passwd* e, char* b, size_t n, passwd** r) { return ::getpwuid_r(uid_t(id), e, b, n, r); },
                   &entry, &buffer);
        if (status == fsNoError)
            *name = QString::fromUtf8(entry.pw_name);
        return status;
    }
    struct group entry
    {};
    const OSErr status = lookUp(
        [id](group* e, char* b, size_t n, group** r) { return ::getgrgid_r(gid_t(id), e, b, n, r); }, &entry, &buffer);
    if (status == fsNoError)
        *name = QString::fromUtf8(entry.gr_name);
    return status;
}

OSErr FSMapName(FSVolumeRefNum volume, const QString& name, quint32 objType, quint32* id)
{
    if (!id || (objType != fsOwnerNameToID && objType != fsGroupNameToID))
        return fsParameterError;
    if (const OSErr status = checkVolume(volume); status != fsNoError)
        return status;
    const QByteArray key = name.toUtf8();
    std::vector<char> buffer;
    if (objType == fsOwnerNameToID) {
        struct passwd entry
        {};
        const OSErr status = lookUp(
            [&key](passwd* e, char* b, size_t n, passwd** r) { return ::getpwnam_r(key.constData(), e, b, n, r); },
            &entry, &buffer);
        if (status == fsNoError)
            *id = entry.pw_uid;
        return status;
    }
    struct group entry
    {};
    const OSErr status =
        lookUp([&key](group* e, char* b, size_t n, group** r) { return ::getgrnam_r(key.constData(), e, b, n, r); },
               &entry, &buffer);
    if (status == fsNoError)
        *id = entry.gr_gid;
    return status;
}

} // namespace tz
