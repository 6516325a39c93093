// Alias resolution for file URLs, over the symbolic-link resolution of paths. The string form
// is tz::resolveAliasFile(const QString&): the path itself when it names no link.
#pragma once

#include <QUrl>

namespace tz {

// The URL of the item a link chain ends at; an empty QUrl when the URL is not a local file URL,
// nothing is there, the chain is broken or loops, and also when the item is no link at all.
[[nodiscard]] QUrl resolveAliasFile(const QUrl& url);

} // namespace tz
