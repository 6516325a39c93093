// Shortcuts acting on the standard user defaults, and a typed read that reports a value of
// the wrong kind.
#pragma once

#include "Foundation_Additions/NSUserDefaults/UserDefaults.h"

namespace tz::defaults {

[[nodiscard]] Id objectForKey(const QString& key);
// The value when it is of the named class or a kind of it (see isKindOfClass); nil otherwise,
// with "result is %@, expecting: %@" (the value's class, then the expected one) written. A
// missing key gives nil without a message.
[[nodiscard]] Id kindOfClassForKey(const QString& className, const QString& key);
// A nil value removes the key.
bool setObjectForKey(const Id& value, const QString& key);
void removeObjectForKey(const QString& key);
bool synchronize();
void registerDefaults(const DictionaryPtr& defaults);
[[nodiscard]] DictionaryPtr persistentDomainForName(const QString& domain);
void removePersistentDomainForName(const QString& domain);

} // namespace tz::defaults
