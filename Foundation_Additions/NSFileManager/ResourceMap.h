// The classic resource-map format of a resource fork: a 16-byte header, 240 bytes kept for the
// system and the application, the data section (a 4-byte length before each resource's bytes)
// and the map (type list, reference lists, name list), all big-endian.
#pragma once

#include <QByteArray>
#include <QList>

namespace tz {

struct Resource
{
    qint16 id = 0;
    QByteArray name; // without its length byte; null when the resource has no name
    quint8 attributes = 0;
    QByteArray data;
};

struct ResourceType
{
    quint32 type = 0;
    QList<Resource> resources; // in map order
};

struct ResourceMap
{
    static constexpr quint16 readOnlyAttribute = 0x0080; // map attribute: never written back
    static constexpr quint8 protectedAttribute = 0x08;   // resource attribute: cannot be removed

    QByteArray reserved;       // the 240 bytes after the header (zeros in a new fork)
    quint16 attributes = 0;    // the map's attributes
    QList<ResourceType> types; // in map order

    [[nodiscard]] const Resource* find(quint32 type, qint16 id) const;
    // Appends a new type or adds to the end of its type's list; replaces an existing resource.
    void insert(quint32 type, const Resource& resource);
    // Drops the resource, and its type when that was the last one; false when absent.
    bool remove(quint32 type, qint16 id);
    [[nodiscard]] bool isReadOnly() const { return (attributes & readOnlyAttribute) != 0; }
    // The written fork would fit the format: data section under 16 MiB (24-bit offsets), map
    // offsets within 16 bits, every name start below 0xFFFF (the "no name" mark).
    [[nodiscard]] bool fitsFormat() const;
};

// False for bytes that are no resource fork: header, map, type list, reference list, name or
// data beyond their sections, a map shorter than its fixed part, two resources under one key,
// or resources whose data overlap. Empty bytes are an empty fork. *out is cleared first.
[[nodiscard]] bool parseResourceMap(const QByteArray& bytes, ResourceMap* out);
// The fork's bytes: data at offset 256, the map right after it. Only meaningful when
// map.fitsFormat().
[[nodiscard]] QByteArray serializeResourceMap(const ResourceMap& map);

} // namespace tz
