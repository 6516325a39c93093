// Folder trees: listing, walking and deleting. Links are items of their own, never entered and
// never followed out of the tree; a companion "._name" whose "name" is beside it belongs to that
// item and is not listed or walked on its own (it is deleted with its folder).
#pragma once

#include "Carbon/FSCatalogInfo.h"

#include <QList>

#include <functional>

namespace tz {

// Deletes everything inside the folder, depth first; a locked item (immutable attribute, or a
// folder without write permission for its owner) is unlocked first. A folder inside that lies on
// another file system (a mount point) ends the deletion with -1303. The first failure ends it.
[[nodiscard]] OSErr FSDeleteContainerContents(const FSRef& container);
// The contents, then the folder itself and its companion; -120 when the item is not a folder.
[[nodiscard]] OSErr FSDeleteContainer(const FSRef& container);

// Called for every item of the walk with the item, its catalogue information (the fields asked
// for, always with node flags), its depth (1 for items in the container) and, when asked for,
// its name. Answering true stops the whole walk.
using IterateContainerFilter =
    std::function<bool(const FSRef& ref, const FSCatalogInfo& info, quint32 depth, const QString* name)>;
// Depth-first walk, items of a folder in byte order of their names; a folder is entered after its
// own call answered false, while the depth is below `maxLevels` (0: no limit). A folder that
// cannot be read is passed over. -50 without a filter, -120 when the container is no folder.
[[nodiscard]] OSErr FSIterateContainer(const FSRef& container, quint32 maxLevels, quint32 whichInfo, bool wantName,
                                       const IterateContainerFilter& filter);

// The items of the folder (not of its subfolders), in byte order of their names, and whether
// the folder changed while it was read. -50 without `refs` or `count`; on failure the list is
// empty and the count 0.
[[nodiscard]] OSErr FSGetDirectoryItems(const FSRef& container, QList<FSRef>* refs, qsizetype* count,
                                        bool* containerChanged);

} // namespace tz
