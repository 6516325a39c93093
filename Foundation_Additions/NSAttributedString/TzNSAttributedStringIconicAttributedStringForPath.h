// A path as styled text with the icon of every leading part in front of its component, the way
// a path bar shows it; the text is coloured as attributedStringForBrokenPath colours it.
// Icons come from the file icon provider; without a QApplication there are none.
#pragma once

#include "Foundation_Additions/NSAttributedString/TextAttachment.h"
#include "Foundation_Additions/NSAttributedString/AttributedString.h"

namespace tz {

// The 16 by 16 icon of the path as an attachment named after the path's last component, its file
// the icon's TIFF; a missing path gets the unknown-document icon. Taken from the icon cache while
// one exists; none when there is no icon.
[[nodiscard]] TextAttachmentPtr iconAttachmentForPath(const QString& path);
// The icon attachment of each leading part: for «/a/b» those of «/», «/a» and «/a/b». An entry
// is none where there is no icon.
[[nodiscard]] QList<TextAttachmentPtr> iconAttachmentsForComponentsOfPath(const QString& path);
// «/a/b» gives the root's icon, «/», the icon of «/a», «a/», the icon of «/a/b», «b»; a relative
// path has no icon for its first component. None for a null path.
// The first call with no icon cache makes one that lasts until the current AutoreleaseScope
// ends (until the call returns when no scope is open): within one event cycle every icon is
// fetched once. The cache belongs to the calling thread.
[[nodiscard]] AttributedString iconicAttributedStringForPath(const QString& path);

// How many icons have been fetched from the provider on this thread (cache misses).
[[nodiscard]] quint64 iconFetchCount();

} // namespace tz
