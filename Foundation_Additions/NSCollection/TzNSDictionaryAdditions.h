// Value-style dictionary operations: each returns a new immutable dictionary, or the receiver
// itself (the same pointer) when nothing changes; typed getters with defaults.
// A nil receiver gives nil (or the default), as a message to nil would.
//
// Which kinds answer each getter's conversion:
//   getter                         tested                 used            answered by
//   unsignedForKeyDefaultValue     unsignedIntValue       unsignedIntValue      Number
//   longLongForKeyDefaultValue     unsignedLongLongValue  longLongValue         Number
//   boolForKeyDefaultValue         boolValue              boolValue             Number, String
//   doubleForKeyDefaultValue       doubleValue            doubleValue           Number, String
// (String answers boolValue with YES for a leading Y, y, T, t or non-zero digit, and
// doubleValue with its leading number, 0 when there is none.)
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"

namespace tz {

[[nodiscard]] quint32 unsignedForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, quint32 defaultValue);
[[nodiscard]] qint64 longLongForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, qint64 defaultValue);
[[nodiscard]] bool boolForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, bool defaultValue);
[[nodiscard]] double doubleForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, double defaultValue);
[[nodiscard]] Id objectForKeyDefaultObject(const DictionaryPtr& dict, const Id& key, const Id& defaultObject);

// Both present: a new dictionary with the key set. Either nil: logs
// "Attempt to set object %@ for  key %@" and returns the receiver.
[[nodiscard]] DictionaryPtr dictionaryBySettingObjectForKey(const DictionaryPtr& dict, const Id& object, const Id& key);
// Key nil: the receiver, silently. Object nil: the key removed. Otherwise the key set.
[[nodiscard]] DictionaryPtr dictionaryBySettingObjectAllowingNilForKey(const DictionaryPtr& dict, const Id& object,
                                                                       const Id& key);
// Without the key; the receiver when the key is nil or not present.
[[nodiscard]] DictionaryPtr dictionaryByRemovingObjectForKey(const DictionaryPtr& dict, const Id& key);
// Without those keys (unknown ones ignored); the receiver for a nil or empty array.
[[nodiscard]] DictionaryPtr dictionaryByRemovingObjectsForKeys(const DictionaryPtr& dict,
                                                               const std::shared_ptr<const Array>& keys);
// The receiver's entries then the argument's, the argument winning; the receiver for nil or empty.
[[nodiscard]] DictionaryPtr dictionaryByAddingEntriesFromDictionary(const DictionaryPtr& dict,
                                                                    const DictionaryPtr& other);
// The i-th key paired with the i-th object (up to the shorter list), added as above.
[[nodiscard]] DictionaryPtr dictionaryBySettingObjectsForKeys(const DictionaryPtr& dict,
                                                              const std::shared_ptr<const Array>& objects,
                                                              const std::shared_ptr<const Array>& keys);
// {"0": a[0], "1": a[1], ...}; empty for a nil or empty array. Linear in the array's length.
[[nodiscard]] DictionaryPtr enumeratedDictionaryWithObjects(const std::shared_ptr<const Array>& objects);

// Each value mapped to its key; where keys share a value, the last of them wins.
[[nodiscard]] DictionaryPtr tzInvertedDictionary(const DictionaryPtr& dict);
// The object model has no inversion of its own, so this is tzInvertedDictionary.
[[nodiscard]] DictionaryPtr reversedDictionary(const DictionaryPtr& dict);

} // namespace tz
