#include "Foundation_Additions/NSFileManager/TzNSFileManagerCountDirectoryTree.h"

#include "Foundation/LogLine.h"
#include "Functions/UnixError.h"

#include <QFile>

#include <cerrno>
#include <fts.h>

namespace tz {

qint64 countDirectoryTreeTraverseLinks(const QString& path, bool traverseLinks)
{
    if (path.contains(QChar(u'\0')))
        return 0;
    QByteArray root = QFile::encodeName(path);
    char* roots[] = {root.data(), nullptr};
    // FTS_NOCHDIR: the walk never moves the process's working folder, which other threads use.
    const int options =
        FTS_COMFOLLOW | FTS_XDEV | FTS_NOSTAT | FTS_NOCHDIR | (traverseLinks ? FTS_LOGICAL : FTS_PHYSICAL);
    errno = 0;
    FTS* const walk = ::fts_open(roots, options, nullptr);
    qint64 count = 0;
    if (walk) {
        while (const FTSENT* entry = ::fts_read(walk)) {
            switch (entry->fts_info) {
            case FTS_D: continue; // counted on its way out
            case FTS_DNR:
            case FTS_ERR:
            case FTS_NS:
                TZ_LOG_LINE("+[NSFileManager(CountDirectoryTree) countDirectoryTree:traverseLinks:]",
                            "Error \"%@\"\n\t-- returned during CountDirectoryTree for item at:\n\t%s",
                            UnixError::forErrNum(entry->fts_errno), entry->fts_path);
                break;
            default: break;
            }
            ++count;
            errno = 0;
        }
    }
    if (errno != 0)
        TZ_LOG_LINE("+[NSFileManager(CountDirectoryTree) countDirectoryTree:traverseLinks:]",
                    "CountDirectoryTree terminated early with fatal error %@", UnixError::forErrNum(errno));
    if (walk)
        ::fts_close(walk);
    return count;
}

} // namespace tz
