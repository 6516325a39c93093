// Property lists (XML or binary) to and from the object model, through libplist.
// Integers read as Int64 (UInt64 above INT64_MAX), reals as Double, dates as Date.
#pragma once

#include "Foundation/Object.h"

#include <QByteArray>
#include <QString>

namespace tz::propertyList {

enum class Format { Xml, Binary };

// nil when the bytes are not a property list, or one beyond the limits of PropertyListLimits.h
// (nesting, expanded size, cyclic or broken references): such bytes never reach libplist.
[[nodiscard]] Id fromData(const QByteArray& bytes);
// nil when the file cannot be read or is not a property list.
[[nodiscard]] Id readFile(const QString& path);
// Null QByteArray when the object holds a kind a property list cannot carry, or nests deeper
// than maxDepth. A string or key holding U+0000 or a lone surrogate is refused in both formats
// (with one log line): libplist takes strings as NUL-ended UTF-8, so it would be cut or changed.
// U+FFFF and other noncharacters are written as they are.
[[nodiscard]] QByteArray toData(const Id& object, Format format = Format::Xml);
// Written as tz::writeAtomically does; false when the object cannot be written (as toData) or
// the file cannot be replaced, and the file at path is then left as it was.
[[nodiscard]] bool writeFile(const Id& object, const QString& path, Format format = Format::Xml);

} // namespace tz::propertyList
