// Contents of simple tags: "<b>one</b> and <b>two</b>" with "b" -> (one, two).
// Tags do not nest and take no attributes: in "<a>x<a>y</a></a>" the "x" is unbalanced
// and the result is (y).
#pragma once

#include <QStringList>

namespace tz {

// The contents of every balanced occurrence, in order. Empty, the none of this operation,
// when the tag is absent (logged "Tag \"%@\" not present in %@") or never balanced (each
// unbalanced opening logged "Unbalanced Tag:%@ in %@").
[[nodiscard]] QStringList contentsOfTag(const QString& text, const QString& tagName);

} // namespace tz
