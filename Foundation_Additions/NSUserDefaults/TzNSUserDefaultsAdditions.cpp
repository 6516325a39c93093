#include "Foundation_Additions/NSUserDefaults/TzNSUserDefaultsAdditions.h"

#include "Foundation/LogLine.h"

namespace tz::defaults {

Id objectForKey(const QString& key)
{
    return UserDefaults::standardUserDefaults().objectForKey(key);
}

Id kindOfClassForKey(const QString& className, const QString& key)
{
    const Id value = objectForKey(key);
    if (!value)
        return {};
    if (isKindOfClass(value, className))
        return value;
    TZ_LOG_LINE("+[NSUserDefaults(TzNSUserDefaultsAdditions) kindOfClass:forKey:]", "result is %@, expecting: %@",
                value->className(), className);
    return {};
}

bool setObjectForKey(const Id& value, const QString& key)
{
    return UserDefaults::standardUserDefaults().setObjectForKey(value, key);
}

void removeObjectForKey(const QString& key)
{
    UserDefaults::standardUserDefaults().removeObjectForKey(key);
}

bool synchronize()
{
    return UserDefaults::standardUserDefaults().synchronize();
}

void registerDefaults(const DictionaryPtr& defaults)
{
    UserDefaults::standardUserDefaults().registerDefaults(defaults);
}

DictionaryPtr persistentDomainForName(const QString& domain)
{
    return UserDefaults::persistentDomainForName(domain);
}

void removePersistentDomainForName(const QString& domain)
{
    UserDefaults::removePersistentDomainForName(domain);
}

} // namespace tz::defaults
