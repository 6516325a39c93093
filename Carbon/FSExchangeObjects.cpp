#include "Carbon/FSExchangeObjects.h"

#include "Carbon/FSCatalogInfo.h"
#include "Carbon/FSMoveRename.h"
#include "Carbon/FSRefPrivate.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QList>

#include <cerrno>
#include <cstdio>
#include <functional>

#include <fcntl.h>

namespace tz {

namespace {

constexpr quint32 exchangeGetMask = 0x1F2F;
constexpr quint32 exchangeSetMask = 0x1F23;

ExchangeTestHooks& hooks()
{
    static ExchangeTestHooks current;
    return current;
}

// Swaps two names in one call; the companions then swap their resource forks.
OSErr exchangeNatively(const QString& a, const QString& b)
{
    if (::renameat2(AT_FDCWD, fsref::encoded(a).constData(), AT_FDCWD, fsref::encoded(b).constData(), RENAME_EXCHANGE)
        != 0)
        return statusOfErrno(errno);
    if (exchangeAppleDoubleCompanions(a, b))
        return fsNoError;
    (void)::renameat2(AT_FDCWD, fsref::encoded(a).constData(), AT_FDCWD, fsref::encoded(b).constData(),
                      RENAME_EXCHANGE);
    return fsIoError;
}

// The steps done so far, undone in reverse order.
class UndoList
{
public:
    void add(std::function<void()> undo) { _steps.append(std::move(undo)); }
    void run()
    {
        while (!_steps.isEmpty())
            _steps.takeLast()();
    }

private:
    QList<std::function<void()>> _steps;
};

struct Side
{
    FSRef ref;
    FSCatalogInfo info;
    QString parent;
    QString name;
    QString path; // where the item is now
};

class RenamingExchange
{
public:
    RenamingExchange(Side& source, Side& destination) : _source(source), _destination(destination) {}

    OSErr run()
    {
        FSRef sourceParent;
        FSRef destinationParent;
        if (const OSErr status = FSPathMakeRef(_source.parent, &sourceParent); status != fsNoError)
            return status;
        if (const OSErr status = FSPathMakeRef(_destination.parent, &destinationParent); status != fsNoError)
            return status;
        quint32 seed = uniqueNameSeed;
        QString free1;
        QString free2;
        if (const OSErr status = GenerateUniqueHFSUniStr(&seed, sourceParent, destinationParent, &free1);
            status != fsNoError)
            return status;
        if (const OSErr status = GenerateUniqueHFSUniStr(&seed, sourceParent, destinationParent, &free2);
            status != fsNoError)
            return status;

        const bool parentsDiffer = _source.parent != _destination.parent;
        OSErr status = move(1, _source, fsref::childPath(_source.parent, free1));
        if (status == fsNoError)
            status = move(2, _destination, fsref::childPath(_destination.parent, free2));
        if (status == fsNoError && parentsDiffer)
            status = move(3, _source, fsref::childPath(_destination.parent, free1));
        if (status == fsNoError && parentsDiffer)
            status = move(4, _destination, fsref::childPath(_source.parent, free2));
        if (status == fsNoError)
            status = writeInfo(5, _source, _destination.info);
        if (status == fsNoError)
            status = writeInfo(6, _destination, _source.info);
        if (status == fsNoError)
            status = move(7, _source, fsref::childPath(_destination.parent, _destination.name));
        if (status == fsNoError)
            status = move(8, _destination, fsref::childPath(_source.parent, _source.name));
        if (status != fsNoError)
            _undo.run();
        return status;
    }

private:
    static OSErr injected(int step) { return hooks().failAtStep == step ? hooks().failStatus : fsNoError; }

    OSErr move(int step, Side& side, const QString& to)
    {
        if (const OSErr status = injected(step); status != fsNoError)
            return status;
        const QString from = side.path;
        if (const OSErr status = moveItemWithCompanion(from, to); status != fsNoError)
            return status;
        side.path = to;
        _undo.add([&side, from] {
            if (moveItemWithCompanion(side.path, from) == fsNoError)
                side.path = from;
        });
        return fsNoError;
    }

    // The other side's catalogue information onto this side's item; undone with the full mask.
    OSErr writeInfo(int step, Side& side, const FSCatalogInfo& info)
    {
        if (const OSErr status = injected(step); status != fsNoError)
            return status;
        FSRef here;
        if (const OSErr status = FSPathMakeRef(side.path, &here); status != fsNoError)
            return status;
        _undo.add([&side] {
            FSRef now;
            if (FSPathMakeRef(side.path, &now) == fsNoError)
                (void)FSSetCatalogInfo(now, fsCatInfoSettableInfo, side.info);
        });
        return FSSetCatalogInfo(here, exchangeSetMask, info);
    }

    Side& _source;
    Side& _destination;
    UndoList _undo;
};

OSErr readSide(const FSRef& ref, Side* side)
{
    side->ref = ref;
    if (const OSErr status = FSGetCatalogInfo(ref, exchangeGetMask | fsCatInfoSettableInfo, &side->info);
        status != fsNoError)
        return status;
    side->parent = fsref::parentPath(ref.path);
    side->name = fsref::lastComponent(ref.path);
    side->path = ref.path;
    return fsNoError;
}

} // namespace

void setExchangeTestHooks(const ExchangeTestHooks& newHooks)
{
    hooks() = newHooks;
}

OSErr FSExchangeObjectsCompat(const FSRef& sourceRef, const FSRef& destRef, FSRef* newSourceRef, FSRef* newDestRef)
{
    if (!newSourceRef || !newDestRef)
        return fsParameterError;
    *newSourceRef = sourceRef;
    *newDestRef = destRef;

    Side source;
    Side destination;
    if (const OSErr status = readSide(sourceRef, &source); status != fsNoError)
        return status;
    if (const OSErr status = readSide(destRef, &destination); status != fsNoError)
        return status;
    if (source.info.volume != destination.info.volume || sourceRef.device != destRef.device)
        return fsDifferentVolumes;
    if ((source.info.nodeFlags | destination.info.nodeFlags) & fsNodeIsDirectoryMask)
        return fsIsAFolder;
    if (sourceRef == destRef)
        return fsNoError;

    OSErr status = fsParameterError;
    bool native = false;
    if (!hooks().skipNative) {
        status = exchangeNatively(source.path, destination.path);
        // Each name keeps its catalogue information, as the renaming path leaves it.
        native = status == fsNoError;
        if (native) {
            FSRef atSource;
            FSRef atDestination;
            if (FSPathMakeRef(source.path, &atSource) == fsNoError
                && FSPathMakeRef(destination.path, &atDestination) == fsNoError) {
                (void)FSSetCatalogInfo(atSource, exchangeSetMask, source.info);
                (void)FSSetCatalogInfo(atDestination, exchangeSetMask, destination.info);
            }
        }
    }
    if (!native && (hooks().skipNative || status == fsParameterError)) {
        // EINVAL: this file system cannot exchange natively.
        status = RenamingExchange(source, destination).run();
    }
    if (status != fsNoError)
        return status;
    *newSourceRef = FSRef{destRef.path, sourceRef.device, sourceRef.node};
    *newDestRef = FSRef{sourceRef.path, destRef.device, destRef.node};
    return fsNoError;
}

} // namespace tz
