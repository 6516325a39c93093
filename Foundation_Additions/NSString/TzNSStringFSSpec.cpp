#include "Foundation_Additions/NSString/TzNSStringFSSpec.h"

#include "Carbon/FSCatalogInfo.h"
#include "Carbon/HFSNames.h"
#include "Foundation/LogLine.h"

namespace tz {

namespace {

// The longest leading part of the name that fits an older name, lossily converted.
QByteArray olderName(QString name)
{
    QByteArray converted;
    while (UnicodeNameGetHFSName(name, textEncodingMacRoman, true, &converted) != fsNoError && !name.isEmpty()) {
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    }
    return converted;
}

} // namespace

FSRef getFSRef(const QString& path)
{
    FSRef ref;
    const OSErr status = FSPathMakeRef(path, &ref);
    if (status != fsNoError)
        TZ_LOG_LINE("-[NSString(FSSpec) getFSRef]", "%d returned from FSPathMakeRef for path %@", int(status), path);
    return ref;
}

FSSpec getFSSpec(const QString& path)
{
    FSSpec spec;
    const FSRef ref = getFSRef(path);
    FSCatalogInfo info;
    const OSErr status = FSGetCatalogInfo(ref, fsCatInfoVolume | fsCatInfoParentDirID, &info);
    if (status != fsNoError) {
        TZ_LOG_LINE("-[NSString(FSSpec) getFSSpec]", "%d returned from FSGetCatalogInfo for path %@", int(status),
                    path);
        return spec;
    }
    QString name;
    if (FSGetFileDirName(ref, &name) != fsNoError)
        return spec;
    spec.vRefNum = info.volume;
    spec.parID = info.parentDirID;
    spec.name = olderName(name);
    return spec;
}

} // namespace tz
