// A walk of everything below a folder, as the file manager's enumerator gives it: pre-order
// (a folder, then what it holds), the entries of each folder sorted by the bytes of their names,
// paths relative to the root. Symbolic links are listed, never followed, except a link given as
// the root. A folder that cannot be read is listed, without contents.
//
// Each folder is read whole when the walk enters it (names and statuses, relative to its file
// descriptor, which is closed again at once), so a walk holds one descriptor at most, at any depth;
// a folder is opened by its full path, so one whose path is longer than PATH_MAX is listed
// without contents.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

#include <sys/stat.h>

namespace tz {

class DirectoryEnumerator
{
public:
    // None when the path does not lead to a folder that can be read.
    [[nodiscard]] static std::unique_ptr<DirectoryEnumerator> enumeratorAtPath(const QString& path);

    struct Entry
    {
        QByteArray relativePath; // in the file system's encoding
        // Not following a link; valid when statusRead.
        struct statx status
        {};
        bool statusRead = false;
    };

    // The next item's path relative to the root; null at the end.
    [[nodiscard]] QString nextObject();
    // The same entry with its status, for walks that need no text; null at the end. The entry
    // stays valid until the next call.
    [[nodiscard]] const Entry* nextEntry();
    // The folder last returned is not entered.
    void skipDescendents() { _enterPending = false; }

    DirectoryEnumerator(const DirectoryEnumerator&) = delete;
    DirectoryEnumerator& operator=(const DirectoryEnumerator&) = delete;

private:
    struct Key
    {};

public:
    // Made by enumeratorAtPath only.
    DirectoryEnumerator(Key, QByteArray root) : _root(std::move(root)) {}

private:
    struct Level
    {
        std::vector<Entry> entries;
        std::size_t next = 0;
    };
    // Reads the folder at the relative path (the root for an empty one); false when it cannot.
    bool enter(const QByteArray& relativePath);

    QByteArray _root;
    std::vector<Level> _levels;
    bool _enterPending = false;
};

} // namespace tz
