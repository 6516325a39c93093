#include "Foundation_Additions/NSWorkspace/OnMyMac.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSData/TzNSDataDigest.h"
#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"
#include "Foundation_Additions/NSString/PathRules.h"
#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceNameForUid.h"

#include <QFileInfo>

#include <unistd.h>

namespace tz {

const QString& onMyMacMarkerName()
{
    static const QString name = [] {
        const QString login = nameForUid(quint32(::geteuid()));
        const QString digest = hexadecimalRepresentation(sha1Digest(login.toLatin1()));
        return path::appendingExtension(format("zz%@", digest), QStringLiteral("txt"));
    }();
    return name;
}

bool OnMyMac()
{
    static const bool marked = [] {
        const bool exists = QFileInfo::exists(path::standardized(format("~/%@", onMyMacMarkerName())));
        if (exists)
            logMessage(QStringLiteral("On My Mac!"));
        return exists;
    }();
    return marked;
}

} // namespace tz
