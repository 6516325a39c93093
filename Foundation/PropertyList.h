// Property lists (XML or binary) to and from the object model, through libplist.
// Integers read as Int64 (UInt64 above INT64_MAX), reals as Double, dates as Date.
#pragma once

#include "Foundation/Object.h"

#include <QByteArray>
#include <QString>

namespace tz::propertyList {

enum class Format { Xml, Binary };

// nil when the bytes are not a property list.
[[nodiscard]] Id fromData(const QByteArray& bytes);
// nil when the file cannot be read or is not a property list.
[[nodiscard]] Id readFile(const QString& path);
// Null QByteArray when the object holds a kind a property list cannot carry.
[[nodiscard]] QByteArray toData(const Id& object, Format format = Format::Xml);
// Written atomically; false when the object cannot be written or the file cannot be replaced.
[[nodiscard]] bool writeFile(const Id& object, const QString& path, Format format = Format::Xml);

} // namespace tz::propertyList
