#include "Foundation_Additions/NSFileManager/WyResourceFork.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSString/TzNSStringPascalString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <atomic>

namespace tz {

struct ResourceForkState
{
    QString path; // the data file
    ResourceMap map;
    bool changed = false;
    int forkCount = 0; // the forks sharing this state (enumerators do not count)
};

namespace {

constexpr qsizetype longestName = 1024;
constexpr int duplicateFileName = -48; // the fork or file already exists

// Forks of one file open at the same time share their state.
struct OpenForks
{
    QMutex mutex;
    QHash<QString, std::weak_ptr<ResourceForkState>> byFile;
};

OpenForks& openForks()
{
    static OpenForks forks;
    return forks;
}

// One key per file however its path is spelt.
QString fileKey(const QString& path)
{
    const QFileInfo info(path);
    return QDir(info.absolutePath()).canonicalPath() + u'/' + info.fileName();
}

qint16 nextFileReference()
{
    static std::atomic<int> counter{0};
    return qint16(counter.fetch_add(1) % 0x7FFF + 1);
}

enum class ForkRead { Ok, Empty, Failed };

// The file's fork as stored now; Empty when it has none.
ForkRead readFork(const QString& path, ResourceMap* map)
{
    *map = ResourceMap{};
    map->reserved = QByteArray(240, '\0');
    AppleDouble file;
    switch (readAppleDouble(path, &file)) {
    case AppleDoubleStatus::Absent: return ForkRead::Empty;
    case AppleDoubleStatus::Ok: break;
    case AppleDoubleStatus::Malformed:
    case AppleDoubleStatus::IoError: return ForkRead::Failed;
    }
    const QByteArray fork = file.entry(appleDoubleResourceForkEntry);
    if (fork.isEmpty())
        return ForkRead::Empty;
    return parseResourceMap(fork, map) ? ForkRead::Ok : ForkRead::Failed;
}

bool storeFork(const QString& path, const ResourceMap& map)
{
    AppleDouble file;
    const AppleDoubleStatus status = readAppleDouble(path, &file);
    if (status != AppleDoubleStatus::Ok && status != AppleDoubleStatus::Absent)
        return false;
    file.setEntry(appleDoubleResourceForkEntry, serializeResourceMap(map));
    return writeAppleDouble(path, file);
}

// Creates the file and an empty fork where they are missing; 0, the duplicate-file-name
// status when both exist already, or another negative status.
int createResourceFork(const QString& path)
{
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir() || info.fileName().isEmpty() || info.fileName().size() > longestName)
        return -1;
    if (!info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return -1;
    } else if (!info.isFile()) {
        return -1;
    }
    ResourceMap map;
    switch (readFork(path, &map)) {
    case ForkRead::Ok: return duplicateFileName;
    case ForkRead::Empty: return storeFork(path, map) ? 0 : -1;
    case ForkRead::Failed: break;
    }
    return -1;
}

} // namespace

WyResourceFork::WyResourceFork(std::shared_ptr<ResourceForkState> state, bool writing, qint16 reference)
    : _state(std::move(state)),
      _writing(writing),
      _fileReference(reference)
{}

WyResourceFork::~WyResourceFork()
{
    (void)close();
}

std::unique_ptr<WyResourceFork> WyResourceFork::resourceForkForReadingAtURL(const QUrl& url)
{
    return initForReadingAtURL(url);
}

std::unique_ptr<WyResourceFork> WyResourceFork::resourceForkForWritingAtURL(const QUrl& url)
{
    return initForWritingAtURL(url);
}

std::unique_ptr<WyResourceFork> WyResourceFork::resourceForkForReadingAtPath(const QString& path)
{
    return initForReadingAtPath(path);
}

std::unique_ptr<WyResourceFork> WyResourceFork::resourceForkForWritingAtPath(const QString& path)
{
    return initForWritingAtPath(path);
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForReadingAtURL(const QUrl& url)
{
    return initForPermissionAtURL(readPermission, url);
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForWritingAtURL(const QUrl& url)
{
    return initForPermissionAtURL(writePermission, url);
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForReadingAtPath(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return nullptr;
    return initForPermissionAtURL(readPermission, QUrl::fromLocalFile(path));
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForWritingAtPath(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    return initForPermissionAtURL(writePermission, QUrl::fromLocalFile(path));
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForPermissionAtURL(qint8 permission, const QUrl& url)
{
    if (!url.isLocalFile())
        return nullptr;
    return initForPermissionAtPath(permission, url.toLocalFile());
}

std::unique_ptr<WyResourceFork> WyResourceFork::initForPermissionAtPath(qint8 permission, const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return nullptr;
    const bool writing = (permission & 0x6) != 0;
    OpenForks& forks = openForks();
    const QMutexLocker lock(&forks.mutex);
    const QString key = fileKey(path);
    std::shared_ptr<ResourceForkState> state = forks.byFile.value(key).lock();
    if (!state) {
        if (writing) {
            const int created = createResourceFork(path);
            if (created != 0 && created != duplicateFileName)
                return nullptr;
        }
        if (!QFileInfo(path).isFile())
            return nullptr;
        state = std::make_shared<ResourceForkState>();
        state->path = path;
        if (readFork(path, &state->map) == ForkRead::Failed)
            return nullptr;
        forks.byFile.insert(key, state);
    }
    ++state->forkCount;
    return std::unique_ptr<WyResourceFork>(new WyResourceFork(std::move(state), writing, nextFileReference()));
}

bool WyResourceFork::canChange() const
{
    return _state && _writing && !_state->map.isReadOnly();
}

bool WyResourceFork::addDataTypeIdName(const QByteArray& data, quint32 type, qint16 id, const QString& name)
{
    if (!canChange())
        return false;
    const Resource* existing = _state->map.find(type, id);
    if (existing && (existing->attributes & ResourceMap::protectedAttribute))
        return false;
    Resource resource;
    resource.id = id;
    resource.data = data.isNull() ? QByteArray("", 0) : data;
    if (!name.isEmpty()) {
        const QByteArray pascal = pascalString(name);
        if (pascal.isNull())
            return false;
        resource.name = pascal.sliced(1, quint8(pascal.at(0)));
    }
    ResourceMap changed = _state->map;
    changed.insert(type, resource);
    if (!changed.fitsFormat())
        return false;
    _state->map = std::move(changed);
    _state->changed = true;
    return true;
}

QByteArray WyResourceFork::dataForTypeId(quint32 type, qint16 id) const
{
    if (!_state)
        return {};
    const Resource* resource = _state->map.find(type, id);
    return resource ? resource->data : QByteArray();
}

bool WyResourceFork::addStringTypeIdName(const QString& string, quint32 type, qint16 id, const QString& name)
{
    if (string.size() > 255)
        return false;
    QByteArray bytes;
    bytes.reserve(string.size() + 1);
    bytes.append(char(string.size()));
    for (const QChar c : string)
        bytes.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    return addDataTypeIdName(bytes, type, id, name);
}

QString WyResourceFork::stringForTypeId(quint32 type, qint16 id) const
{
    const QByteArray data = dataForTypeId(type, id);
    if (data.isEmpty())
        return {};
    return QString::fromLatin1(data.sliced(1));
}

bool WyResourceFork::removeTypeId(quint32 type, qint16 id)
{
    if (!_state)
        return false;
    const Resource* existing = _state->map.find(type, id);
    if (!existing)
        return true;
    if (!canChange() || (existing->attributes & ResourceMap::protectedAttribute))
        return false;
    _state->map.remove(type, id);
    _state->changed = true;
    return true;
}

std::unique_ptr<ResourceTypeEnumerator> WyResourceFork::resourceTypeEnumerator() const
{
    return std::make_unique<ResourceTypeEnumerator>(_state);
}

bool WyResourceFork::close()
{
    if (!_state)
        return true;
    bool written = true;
    if (_writing && _state->changed && !_state->map.isReadOnly()) {
        written = storeFork(_state->path, _state->map);
        _state->changed = !written;
    }
    {
        OpenForks& forks = openForks();
        const QMutexLocker lock(&forks.mutex);
        const QString key = fileKey(_state->path);
        if (--_state->forkCount == 0)
            forks.byFile.remove(key);
        _state.reset();
    }
    _fileReference = 0;
    return written;
}

ResourceTypeEnumerator::ResourceTypeEnumerator(std::shared_ptr<const ResourceForkState> state)
    : _state(std::move(state)),
      _numberOfTypes(_state ? qint16(qMin<qsizetype>(_state->map.types.size(), 0x7FFE)) : 0)
{}

std::shared_ptr<const Number> ResourceTypeEnumerator::nextObject()
{
    if (_typeIndex > _numberOfTypes)
        return nullptr;
    const qint16 position = _typeIndex++;
    if (!_state || position > _state->map.types.size()) {
        logMessage(QStringLiteral("Could not get type for resource %i"), position);
        _typeIndex = qint16(_numberOfTypes + 1);
        return nullptr;
    }
    return Number::make(std::uint32_t(_state->map.types.at(position - 1).type));
}

} // namespace tz
