// Object-model values as JSON, for the command line's --json output.
#pragma once

#include "Foundation/Object.h"

#include <QJsonValue>

namespace ObjectJson {

// Dictionaries become objects (keys by their text; JSON objects keep no key order), arrays and
// sets arrays, strings strings, booleans booleans, other numbers numbers, dates ISO 8601 text
// in UTC, data Base64 text, nil and Null null; anything else its description.
[[nodiscard]] QJsonValue toJson(const tz::Id& value);

} // namespace ObjectJson
