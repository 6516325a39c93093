#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"

#include "Foundation/LogLine.h"
#include "Foundation/String.h"

namespace tz {

namespace {

Id lookup(const DictionaryPtr& dict, const Id& key)
{
    return dict ? dict->objectForKey(key) : Id();
}

} // namespace

quint32 unsignedForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, quint32 defaultValue)
{
    const Id value = lookup(dict, key);
    return value ? value->unsignedIntValue().value_or(defaultValue) : defaultValue;
}

qint64 longLongForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, qint64 defaultValue)
{
    const Id value = lookup(dict, key);
    if (!value || !value->unsignedLongLongValue())
        return defaultValue;
    return value->longLongValue().value_or(defaultValue);
}

bool boolForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, bool defaultValue)
{
    const Id value = lookup(dict, key);
    return value ? value->boolValue().value_or(defaultValue) : defaultValue;
}

double doubleForKeyDefaultValue(const DictionaryPtr& dict, const Id& key, double defaultValue)
{
    const Id value = lookup(dict, key);
    return value ? value->doubleValue().value_or(defaultValue) : defaultValue;
}

Id objectForKeyDefaultObject(const DictionaryPtr& dict, const Id& key, const Id& defaultObject)
{
    const Id value = lookup(dict, key);
    return value ? value : defaultObject;
}

DictionaryPtr dictionaryBySettingObjectForKey(const DictionaryPtr& dict, const Id& object, const Id& key)
{
    if (!dict)
        return {};
    if (!object || !key) {
        TZ_LOG_LINE("-[NSDictionary(TzNSDictionaryAdditions) dictionaryBySettingObject:forKey:]",
                    "Attempt to set object %@ for  key %@", object, key);
        return dict;
    }
    QList<Dictionary::Entry> entries = dict->entries();
    entries.append({key, object});
    return Dictionary::make(entries);
}

DictionaryPtr dictionaryBySettingObjectAllowingNilForKey(const DictionaryPtr& dict, const Id& object, const Id& key)
{
    if (!dict || !key)
        return dict;
    if (!object)
        return dictionaryByRemovingObjectForKey(dict, key);
    QList<Dictionary::Entry> entries = dict->entries();
    entries.append({key, object});
    return Dictionary::make(entries);
}

DictionaryPtr dictionaryByRemovingObjectForKey(const DictionaryPtr& dict, const Id& key)
{
    if (!dict || !dict->containsKey(key))
        return dict;
    QList<Dictionary::Entry> entries = dict->entries();
    entries.removeIf([&](const Dictionary::Entry& e) { return tz::isEqual(e.first, key); });
    return Dictionary::make(entries);
}

DictionaryPtr dictionaryByRemovingObjectsForKeys(const DictionaryPtr& dict, const std::shared_ptr<const Array>& keys)
{
    if (!dict || !keys || keys->isEmpty())
        return dict;
    QHash<IdKey, bool> doomed;
    for (const Id& key : keys->objects())
        doomed.insert(IdKey{key}, true);
    QList<Dictionary::Entry> entries = dict->entries();
    entries.removeIf([&](const Dictionary::Entry& e) { return doomed.contains(IdKey{e.first}); });
    return Dictionary::make(entries);
}

DictionaryPtr dictionaryByAddingEntriesFromDictionary(const DictionaryPtr& dict, const DictionaryPtr& other)
{
    if (!dict || !other || other->isEmpty())
        return dict;
    return Dictionary::make(dict->entries() + other->entries());
}

DictionaryPtr dictionaryBySettingObjectsForKeys(const DictionaryPtr& dict, const std::shared_ptr<const Array>& objects,
                                                const std::shared_ptr<const Array>& keys)
{
    if (!dict)
        return {};
    QList<Dictionary::Entry> pairs;
    if (objects && keys) {
        const qsizetype n = qMin(objects->count(), keys->count());
        pairs.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            pairs.append({keys->objectAtIndex(i), objects->objectAtIndex(i)});
    }
    return dictionaryByAddingEntriesFromDictionary(dict, Dictionary::make(pairs));
}

DictionaryPtr enumeratedDictionaryWithObjects(const std::shared_ptr<const Array>& objects)
{
    QList<Dictionary::Entry> entries;
    if (objects) {
        entries.reserve(objects->count());
        for (qsizetype i = 0; i < objects->count(); ++i)
            entries.append({str(QString::number(i)), objects->objectAtIndex(i)});
    }
    return Dictionary::make(entries);
}

DictionaryPtr tzInvertedDictionary(const DictionaryPtr& dict)
{
    if (!dict)
        return {};
    QList<Dictionary::Entry> entries;
    entries.reserve(dict->count());
    for (const auto& [key, value] : dict->entries())
        entries.append({value, key});
    return Dictionary::make(entries);
}

DictionaryPtr reversedDictionary(const DictionaryPtr& dict)
{
    return tzInvertedDictionary(dict);
}

} // namespace tz
