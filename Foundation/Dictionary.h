// An immutable map from objects to objects that keeps its keys in insertion order.
// Keys and values are never nil; keys compare with isEqual.
#pragma once

#include "Foundation/Object.h"

#include <QHash>
#include <QList>

#include <utility>

namespace tz {

class Dictionary final : public Object
{
public:
    using Entry = std::pair<Id, Id>;

    // Entries with a nil key or value are dropped; a repeated key keeps its first
    // position and takes the last value.
    explicit Dictionary(const QList<Entry>& entries);
    [[nodiscard]] static std::shared_ptr<const Dictionary> make(const QList<Entry>& entries = {});
    // Keys given as text, the usual case.
    [[nodiscard]] static std::shared_ptr<const Dictionary> make(std::initializer_list<std::pair<QString, Id>> entries);

    [[nodiscard]] qsizetype count() const { return _entries.size(); }
    [[nodiscard]] bool isEmpty() const { return _entries.isEmpty(); }
    [[nodiscard]] Id objectForKey(const Id& key) const;
    [[nodiscard]] Id objectForKey(const QString& key) const;
    [[nodiscard]] bool containsKey(const Id& key) const;
    [[nodiscard]] const QList<Entry>& entries() const { return _entries; }
    [[nodiscard]] QList<Id> allKeys() const;
    [[nodiscard]] QList<Id> allValues() const;

    [[nodiscard]] QString className() const override { return QStringLiteral("NSDictionary"); }
    // "{\n    key = value;\n}".
    [[nodiscard]] QString description() const override { return descriptionAtLevel(0); }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    // Same keys with equal values, in any order.
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override { return std::size_t(_entries.size()); }

private:
    // The entry's position, -1 when absent.
    [[nodiscard]] qsizetype indexOfKey(const Id& key) const;

    QList<Entry> _entries;
    QHash<IdKey, qsizetype> _index;
};

using DictionaryPtr = std::shared_ptr<const Dictionary>;

} // namespace tz
