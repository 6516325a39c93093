#include "Carbon/FSUnsupported.h"

namespace tz {

OSErr FSGetVolMountInfoSize(FSVolumeRefNum, quint32*)
{
    return fsNotSupported;
}

OSErr FSGetVolMountInfo(FSVolumeRefNum, QByteArray*)
{
    return fsNotSupported;
}

OSErr FSVolumeMount(const QByteArray&, FSVolumeRefNum*)
{
    return fsNotSupported;
}

OSErr FSCreateFileIDRef(const FSRef&, quint32*)
{
    return fsNotSupported;
}

OSErr FSResolveFileIDRef(FSVolumeRefNum, quint32, FSRef*)
{
    return fsNotSupported;
}

OSErr FSMakeFSRef(FSVolumeRefNum, quint64, const QString&, FSRef*)
{
    return fsNotSupported;
}

OSErr FSMakePath(FSVolumeRefNum, quint64, const QString&, QByteArray*, qsizetype)
{
    return fsNotSupported;
}

OSErr FSRefMakeFSSpec(const FSRef&, FSSpec*)
{
    return fsNotSupported;
}

OSErr FSPathMakeFSSpec(const QString&, FSSpec*, bool*)
{
    return fsNotSupported;
}

OSErr FSGetDirAccess(const FSRef&, quint32*, quint32*, quint32*)
{
    return fsNotSupported;
}

OSErr FSSetDirAccess(const FSRef&, quint32, quint32, quint32)
{
    return fsNotSupported;
}

OSErr FSCopyFile(const FSRef&, const FSRef&, const QString&, quint32, FSRef*)
{
    return fsNotSupported;
}

OSErr FSGetVolFileSystemID(FSVolumeRefNum, quint16*, quint16*)
{
    return fsNotSupported;
}

OSErr FSGetVolParms(FSVolumeRefNum, quint32, QByteArray*, quint32*)
{
    return fsNotSupported;
}

} // namespace tz
