#include "Foundation/Dictionary.h"

#include "Foundation/PlistText.h"
#include "Foundation/String.h"

namespace tz {

Dictionary::Dictionary(const QList<Entry>& entries)
{
    _entries.reserve(entries.size());
    _index.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (!entry.first || !entry.second)
            continue;
        const IdKey key{entry.first};
        const auto it = _index.constFind(key);
        if (it == _index.cend()) {
            _index.insert(key, _entries.size());
            _entries.append(entry);
        } else {
            _entries[*it].second = entry.second;
        }
    }
}

std::shared_ptr<const Dictionary> Dictionary::make(const QList<Entry>& entries)
{
    return std::make_shared<const Dictionary>(entries);
}

std::shared_ptr<const Dictionary> Dictionary::make(std::initializer_list<std::pair<QString, Id>> entries)
{
    QList<Entry> list;
    list.reserve(qsizetype(entries.size()));
    for (const auto& [key, value] : entries)
        list.append({str(key), value});
    return make(list);
}

Id Dictionary::objectForKey(const Id& key) const
{
    if (!key)
        return {};
    const auto it = _index.constFind(IdKey{key});
    return it == _index.cend() ? Id() : _entries.at(*it).second;
}

Id Dictionary::objectForKey(const QString& key) const
{
    return objectForKey(str(key));
}

bool Dictionary::containsKey(const Id& key) const
{
    return key && _index.contains(IdKey{key});
}

QList<Id> Dictionary::allKeys() const
{
    QList<Id> keys;
    keys.reserve(_entries.size());
    for (const Entry& e : _entries)
        keys.append(e.first);
    return keys;
}

QList<Id> Dictionary::allValues() const
{
    QList<Id> values;
    values.reserve(_entries.size());
    for (const Entry& e : _entries)
        values.append(e.second);
    return values;
}

QString Dictionary::descriptionAtLevel(int level) const
{
    QString text = QStringLiteral("{\n");
    for (const Entry& e : _entries) {
        text += plistText::indent(level + 1) + e.first->descriptionAtLevel(level + 1) + QStringLiteral(" = ")
            + e.second->descriptionAtLevel(level + 1) + QStringLiteral(";\n");
    }
    return text + plistText::indent(level) + u'}';
}

bool Dictionary::isEqual(const Object& other) const
{
    const auto* d = dynamic_cast<const Dictionary*>(&other);
    if (!d || d->count() != count())
        return false;
    for (const Entry& e : _entries) {
        if (!tz::isEqual(e.second, d->objectForKey(e.first)))
            return false;
    }
    return true;
}

} // namespace tz
