#include "Foundation_Additions/NSFileManager/DirectoryEnumerator.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace tz {

std::unique_ptr<DirectoryEnumerator> DirectoryEnumerator::enumeratorAtPath(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return nullptr;
    auto enumerator = std::make_unique<DirectoryEnumerator>(Key{}, QFile::encodeName(path));
    if (!enumerator->enter({}))
        return nullptr;
    return enumerator;
}

bool DirectoryEnumerator::enter(const QByteArray& relativePath)
{
    const QByteArray folder = relativePath.isEmpty() ? _root : _root + '/' + relativePath;
    // The root may be a link; a folder met on the way must still be one.
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (relativePath.isEmpty() ? 0 : O_NOFOLLOW);
    const int fd = ::open(folder.constData(), flags);
    if (fd < 0)
        return false;
    DIR* const dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    Level level;
    const QByteArray prefix = relativePath.isEmpty() ? QByteArray() : relativePath + '/';
    while (const dirent* found = ::readdir(dir)) {
        const char* name = found->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        Entry& entry = level.entries.emplace_back();
        entry.relativePath = prefix + name;
        entry.statusRead = ::statx(fd, name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &entry.status) == 0;
    }
    ::closedir(dir);
    std::sort(level.entries.begin(), level.entries.end(),
              [](const Entry& a, const Entry& b) { return a.relativePath < b.relativePath; });
    _levels.push_back(std::move(level));
    return true;
}

const DirectoryEnumerator::Entry* DirectoryEnumerator::nextEntry()
{
    if (_enterPending) {
        _enterPending = false;
        const Level& current = _levels.back();
        // Copied: entering appends a level, which may move the current one.
        const QByteArray folder = current.entries[current.next - 1].relativePath;
        (void)enter(folder);
    }
    while (!_levels.empty() && _levels.back().next == _levels.back().entries.size())
        _levels.pop_back();
    if (_levels.empty())
        return nullptr;
    Level& level = _levels.back();
    const Entry& entry = level.entries[level.next++];
    _enterPending = entry.statusRead && S_ISDIR(entry.status.stx_mode);
    return &entry;
}

QString DirectoryEnumerator::nextObject()
{
    const Entry* entry = nextEntry();
    return entry ? QFile::decodeName(entry->relativePath) : QString();
}

} // namespace tz
