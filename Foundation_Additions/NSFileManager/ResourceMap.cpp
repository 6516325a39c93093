#include "Foundation_Additions/NSFileManager/ResourceMap.h"

#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace tz {

namespace {

constexpr qsizetype headerSize = 16;
constexpr qsizetype reservedSize = 240;
constexpr quint32 dataStart = 256;
constexpr quint32 typeListOffset = 28; // after the header copy, handle, file number and three fields
constexpr qsizetype typeEntrySize = 8;
constexpr qsizetype referenceSize = 12;
constexpr quint16 noName = 0xFFFF;
constexpr qint64 dataSectionLimit = qint64(1) << 24;

quint16 be16(const char* at)
{
    return qFromBigEndian<quint16>(at);
}

quint32 be32(const char* at)
{
    return qFromBigEndian<quint32>(at);
}

quint32 be24(const char* at)
{
    return quint32(quint8(at[0])) << 16 | quint32(quint8(at[1])) << 8 | quint8(at[2]);
}

void append16(QByteArray* bytes, quint16 value)
{
    char buffer[2];
    qToBigEndian(value, buffer);
    bytes->append(buffer, 2);
}

void append32(QByteArray* bytes, quint32 value)
{
    char buffer[4];
    qToBigEndian(value, buffer);
    bytes->append(buffer, 4);
}

quint64 keyOf(quint32 type, qint16 id)
{
    return quint64(type) << 16 | quint16(id);
}

qsizetype resourceCount(const ResourceMap& map)
{
    qsizetype count = 0;
    for (const ResourceType& type : map.types)
        count += type.resources.size();
    return count;
}

} // namespace

const Resource* ResourceMap::find(quint32 type, qint16 id) const
{
    for (const ResourceType& t : types) {
        if (t.type != type)
            continue;
        for (const Resource& r : t.resources) {
            if (r.id == id)
                return &r;
        }
    }
    return nullptr;
}

void ResourceMap::insert(quint32 type, const Resource& resource)
{
    auto t = std::find_if(types.begin(), types.end(), [type](const ResourceType& e) { return e.type == type; });
    if (t == types.end()) {
        types.append(ResourceType{type, {resource}});
        return;
    }
    for (Resource& r : t->resources) {
        if (r.id == resource.id) {
            r = resource;
            return;
        }
    }
    t->resources.append(resource);
}

bool ResourceMap::remove(quint32 type, qint16 id)
{
    for (qsizetype i = 0; i < types.size(); ++i) {
        ResourceType& t = types[i];
        if (t.type != type)
            continue;
        const qsizetype removed = t.resources.removeIf([id](const Resource& r) { return r.id == id; });
        if (t.resources.isEmpty())
            types.removeAt(i);
        return removed > 0;
    }
    return false;
}

bool ResourceMap::fitsFormat() const
{
    qint64 dataSize = 0;
    qint64 nameOffset = 0;
    for (const ResourceType& t : types) {
        for (const Resource& r : t.resources) {
            dataSize += 4 + r.data.size();
            if (r.name.isNull())
                continue;
            if (r.name.size() > 255 || nameOffset >= noName)
                return false;
            nameOffset += 1 + r.name.size();
        }
    }
    const qint64 nameListOffset =
        typeListOffset + 2 + typeEntrySize * types.size() + referenceSize * resourceCount(*this);
    return dataSize < dataSectionLimit && nameListOffset <= 0xFFFF;
}

bool parseResourceMap(const QByteArray& bytes, ResourceMap* out)
{
    *out = ResourceMap{};
    out->reserved = QByteArray(reservedSize, '\0');
    if (bytes.isEmpty())
        return true;
    if (bytes.size() < headerSize)
        return false;
    const char* const base = bytes.constData();
    const quint64 size = quint64(bytes.size());
    const quint64 dataOffset = be32(base);
    const quint64 mapOffset = be32(base + 4);
    const quint64 dataLength = be32(base + 8);
    const quint64 mapLength = be32(base + 12);
    if (dataOffset + dataLength > size || mapOffset + mapLength > size || mapLength < typeListOffset)
        return false;

    ResourceMap parsed;
    parsed.reserved = out->reserved;
    const quint64 reservedEnd = std::min({quint64(dataStart), dataOffset, mapOffset, size});
    if (reservedEnd > quint64(headerSize))
        std::copy(base + headerSize, base + reservedEnd, parsed.reserved.begin());

    const char* const map = base + mapOffset;
    const char* const data = base + dataOffset;
    parsed.attributes = be16(map + 22);
    const quint64 typeList = be16(map + 24);
    const quint64 nameList = be16(map + 26);
    if (typeList + 2 > mapLength)
        return false;
    const quint64 typeCount = quint16(be16(map + typeList) + 1);
    if (typeList + 2 + typeEntrySize * typeCount > mapLength)
        return false;

    // Reference lists and data may not share bytes, which bounds the work on looping offsets.
    const quint64 referenceLimit = std::min(mapLength / referenceSize, dataLength / 4);
    quint64 references = 0;
    QSet<quint64> keys;
    QList<std::pair<quint64, quint64>> dataRanges;
    for (quint64 t = 0; t < typeCount; ++t) {
        const char* const entry = map + typeList + 2 + t * typeEntrySize;
        const quint32 type = be32(entry);
        const quint64 count = quint64(be16(entry + 4)) + 1;
        const quint64 list = typeList + be16(entry + 6);
        references += count;
        if (references > referenceLimit || list + count * referenceSize > mapLength)
            return false;
        for (quint64 i = 0; i < count; ++i) {
            const char* const ref = map + list + i * referenceSize;
            Resource resource;
            resource.id = qint16(be16(ref));
            const quint16 nameOffset = be16(ref + 2);
            resource.attributes = quint8(ref[4]);
            const quint64 at = be24(ref + 5);
            if (at + 4 > dataLength)
                return false;
            const quint64 length = be32(data + at);
            if (at + 4 + length > dataLength)
                return false;
            resource.data = QByteArray(data + at + 4, qsizetype(length));
            dataRanges.append({at, at + 4 + length});
            if (nameOffset != noName) {
                const quint64 name = nameList + nameOffset;
                if (name + 1 > mapLength || name + 1 + quint8(map[name]) > mapLength)
                    return false;
                resource.name = QByteArray(map + name + 1, quint8(map[name]));
            }
            const quint64 key = keyOf(type, resource.id);
            if (keys.contains(key))
                return false;
            keys.insert(key);
            parsed.insert(type, resource);
        }
    }
    std::sort(dataRanges.begin(), dataRanges.end());
    for (qsizetype i = 1; i < dataRanges.size(); ++i) {
        if (dataRanges.at(i).first < dataRanges.at(i - 1).second)
            return false;
    }
    *out = std::move(parsed);
    return true;
}

QByteArray serializeResourceMap(const ResourceMap& map)
{
    QByteArray data;
    QByteArray references;
    QByteArray names;
    QByteArray typeList;
    append16(&typeList, quint16(map.types.size() - 1));
    quint32 referenceOffset = quint32(2 + typeEntrySize * map.types.size());
    for (const ResourceType& t : map.types) {
        append32(&typeList, t.type);
        append16(&typeList, quint16(t.resources.size() - 1));
        append16(&typeList, quint16(referenceOffset));
        referenceOffset += quint32(referenceSize * t.resources.size());
        for (const Resource& r : t.resources) {
            append16(&references, quint16(r.id));
            if (r.name.isNull()) {
                append16(&references, noName);
            } else {
                append16(&references, quint16(names.size()));
                names.append(char(r.name.size()));
                names.append(r.name);
            }
            const quint32 at = quint32(data.size());
            references.append(char(r.attributes));
            references.append(char(at >> 16)).append(char(at >> 8)).append(char(at));
            append32(&references, 0); // handle
            append32(&data, quint32(r.data.size()));
            data.append(r.data);
        }
    }

    const quint32 nameListOffset = quint32(typeListOffset + typeList.size() + references.size());
    const quint32 mapLength = nameListOffset + quint32(names.size());
    QByteArray header;
    append32(&header, dataStart);
    append32(&header, dataStart + quint32(data.size()));
    append32(&header, quint32(data.size()));
    append32(&header, mapLength);

    QByteArray bytes = header;
    bytes.append(map.reserved.size() == reservedSize ? map.reserved : QByteArray(reservedSize, '\0'));
    bytes.append(data);
    bytes.append(header); // the map begins with a copy of the header
    append32(&bytes, 0);  // handle to the next map
    append16(&bytes, 0);  // file reference number
    append16(&bytes, map.attributes);
    append16(&bytes, quint16(typeListOffset));
    append16(&bytes, quint16(nameListOffset));
    bytes.append(typeList).append(references).append(names);
    return bytes;
}

} // namespace tz
