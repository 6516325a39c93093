// Resource forks: typed, numbered records of a file, kept in the classic resource-map format in
// entry 2 of the file's AppleDouble companion ("._name"). A file without companion, or whose
// companion has no entry 2, has an empty fork.
//
// A fork reads the companion when it opens and writes it back, atomically, when it closes, and
// only when something changed; the other entries of the companion are left as they are then.
// Forks of one file open at the same time share one map, as they would share one open resource
// file; nothing else is process-wide, so no "current resource file" is switched. Opening and
// closing may happen on any thread; use the forks of one file and their enumerators on one.
#pragma once

#include "Foundation/Number.h"
#include "Foundation_Additions/NSFileManager/ResourceMap.h"

#include <QString>
#include <QUrl>

#include <memory>

namespace tz {

struct ResourceForkState;
class ResourceTypeEnumerator;

class WyResourceFork
{
public:
    static constexpr qint8 readPermission = 1;
    static constexpr qint8 writePermission = 2;

    // New forks; none when the fork cannot be opened.
    [[nodiscard]] static std::unique_ptr<WyResourceFork> resourceForkForReadingAtURL(const QUrl& url);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> resourceForkForWritingAtURL(const QUrl& url);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> resourceForkForReadingAtPath(const QString& path);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> resourceForkForWritingAtPath(const QString& path);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForReadingAtURL(const QUrl& url);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForWritingAtURL(const QUrl& url);
    // None when no file exists at the path.
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForReadingAtPath(const QString& path);
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForWritingAtPath(const QString& path);
    // Local file URLs only.
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForPermissionAtURL(qint8 permission, const QUrl& url);
    // Permission 1 reads; any permission with bit 0x2 or 0x4 writes. Writing first creates the fork
    // ("already exists" counts as success): a missing file is created empty, a file without fork
    // gets an empty one at once. None for a folder, a missing parent folder, a name longer than
    // 1024 code units, or a malformed companion or fork (which is then never overwritten).
    [[nodiscard]] static std::unique_ptr<WyResourceFork> initForPermissionAtPath(qint8 permission, const QString& path);

    WyResourceFork(const WyResourceFork&) = delete;
    WyResourceFork& operator=(const WyResourceFork&) = delete;
    // Closes the fork (writing pending changes).
    ~WyResourceFork();

    // Stores the resource, replacing one under the same key (the new one gets attributes 0). False
    // for a fork opened for reading, a map marked read-only, a protected resource in the way, a
    // name longer than 255 bytes or outside ISO Latin-1, or a fork that would outgrow the format
    // (data section of 16 MiB, 16-bit map offsets). A null or empty name stores no name.
    [[nodiscard]] bool addDataTypeIdName(const QByteArray& data, quint32 type, qint16 id, const QString& name);
    // The resource's bytes; null when there is no such resource.
    [[nodiscard]] QByteArray dataForTypeId(quint32 type, qint16 id) const;
    // A length byte, then one byte per code unit: ASCII as it is, anything else as '?'. False for
    // more than 255 code units.
    [[nodiscard]] bool addStringTypeIdName(const QString& string, quint32 type, qint16 id, const QString& name);
    // The bytes after the first, as ISO Latin-1 (the length byte is not consulted); null when there
    // is no such resource or it holds no byte at all.
    [[nodiscard]] QString stringForTypeId(quint32 type, qint16 id) const;
    // True when the resource is gone afterwards, also when there was none. False when it is there
    // but cannot be removed (fork opened for reading, read-only map, protected resource).
    [[nodiscard]] bool removeTypeId(quint32 type, qint16 id);
    [[nodiscard]] std::unique_ptr<ResourceTypeEnumerator> resourceTypeEnumerator() const;

    // Positive while open, 0 once closed.
    [[nodiscard]] qint16 fileReference() const { return _fileReference; }
    // Writes pending changes and closes; true when nothing was pending or the write succeeded.
    // Operations on a closed fork fail. Closing again answers true.
    bool close();

private:
    WyResourceFork(std::shared_ptr<ResourceForkState> state, bool writing, qint16 reference);
    [[nodiscard]] bool canChange() const;

    std::shared_ptr<ResourceForkState> _state;
    bool _writing = false;
    qint16 _fileReference = 0;
};

// The types of one fork, counted when it is made, each once, in map order.
class ResourceTypeEnumerator
{
public:
    explicit ResourceTypeEnumerator(std::shared_ptr<const ResourceForkState> state);
    // The next type code as an unsigned number; none at the end. A type that is gone by then (its
    // last resource removed since) logs "Could not get type for resource %i" with the 1-based
    // position and ends the enumeration.
    [[nodiscard]] std::shared_ptr<const Number> nextObject();

    [[nodiscard]] qint16 numberOfTypes() const { return _numberOfTypes; }

private:
    std::shared_ptr<const ResourceForkState> _state;
    qint16 _numberOfTypes = 0;
    qint16 _typeIndex = 1;
};

} // namespace tz
