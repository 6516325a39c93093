#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceNameForUid.h"

#include <cerrno>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace tz {

QString nameForUid(quint32 uid)
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? std::size_t(suggested) : 1024);
    struct passwd entry
    {};
    passwd* found = nullptr;
    // Entries with long member lists need more room than suggested.
    int status = 0;
    while ((status = ::getpwuid_r(uid_t(uid), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0 || !found)
        return QStringLiteral("UNKNOWN");
    return QString::fromUtf8(entry.pw_name);
}

} // namespace tz
