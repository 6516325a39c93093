#include "Foundation/Dictionary.h"

#include "Foundation/PlistText.h"
#include "Foundation/String.h"

namespace tz {

namespace {
// Small dictionaries (the usual case) are searched in order; larger ones get a hash index.
constexpr qsizetype indexThreshold = 8;
} // namespace

qsizetype Dictionary::indexOfKey(const Id& key) const
{
    if (_entries.size() <= indexThreshold && _index.isEmpty()) {
        for (qsizetype i = 0; i < _entries.size(); ++i) {
            if (tz::isEqual(_entries.at(i).first, key))
                return i;
        }
        return -1;
    }
    const auto it = _index.constFind(IdKey{key});
    return it == _index.cend() ? -1 : *it;
}

Dictionary::Dictionary(const QList<Entry>& entries)
{
    _entries.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (!entry.first || !entry.second)
            continue;
        const qsizetype at = indexOfKey(entry.first);
        if (at >= 0) {
            _entries[at].second = entry.second;
            continue;
        }
        _entries.append(entry);
        if (_entries.size() > indexThreshold) {
            if (_index.isEmpty()) {
                for (qsizetype i = 0; i < _entries.size(); ++i)
                    _index.insert(IdKey{_entries.at(i).first}, i);
            } else {
                _index.insert(IdKey{entry.first}, _entries.size() - 1);
            }
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
    const qsizetype at = indexOfKey(key);
    return at < 0 ? Id() : _entries.at(at).second;
}

Id Dictionary::objectForKey(const QString& key) const
{
    return objectForKey(str(key));
}

bool Dictionary::containsKey(const Id& key) const
{
    return key && indexOfKey(key) >= 0;
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
