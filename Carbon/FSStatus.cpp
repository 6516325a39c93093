#include "Carbon/FSStatus.h"

#include <cerrno>

namespace tz {

OSErr statusOfErrno(int errorNumber)
{
    switch (errorNumber) {
    case 0: return fsNoError;
    case ENOENT:
    case ENOTDIR: return fsNoSuchItem;
    case EACCES:
    case EPERM: return fsAccessDenied;
    case EROFS: return fsVolumeWriteProtected;
    case EEXIST:
    case ENOTEMPTY: return fsDuplicateName;
    case EXDEV: return fsDifferentVolumes;
    case ENOMEM: return fsNoMemory;
    case ENOSPC:
    case EDQUOT: return fsDiskFull;
    case EBUSY: return fsItemBusy;
    case ENAMETOOLONG: return fsBadName;
    case EINVAL: return fsParameterError;
    default: return fsIoError;
    }
}

} // namespace tz
