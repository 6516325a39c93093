// Hand-made property lists for tests: binary lists built object by object, and lists nested
// or shared far beyond what any program writes.
#pragma once

#include <QByteArray>
#include <QList>

namespace testplist {

inline void appendBigEndian(QByteArray& out, quint64 value, int width)
{
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xff));
}

// A binary object of the given kind (high nibble) and count, its length in the marker or after it.
inline QByteArray marker(int kind, quint64 count)
{
    QByteArray out;
    if (count < 15) {
        out.append(char(kind << 4 | int(count)));
    } else {
        out.append(char(kind << 4 | 0x0f));
        out.append(char(0x13));
        appendBigEndian(out, count, 8);
    }
    return out;
}

inline QByteArray arrayOf(const QList<quint64>& refs)
{
    QByteArray out = marker(0xa, quint64(refs.size()));
    for (const quint64 ref : refs)
        appendBigEndian(out, ref, 4);
    return out;
}

// A binary property list of the encoded objects with four-byte offsets and references.
inline QByteArray binaryList(const QList<QByteArray>& objects, quint64 top = 0)
{
    QByteArray out("bplist00");
    QList<quint64> offsets;
    for (const QByteArray& object : objects) {
        offsets.append(quint64(out.size()));
        out += object;
    }
    const quint64 table = quint64(out.size());
    for (const quint64 offset : offsets)
        appendBigEndian(out, offset, 4);
    out += QByteArray(6, '\0');
    out.append(char(4));
    out.append(char(4));
    appendBigEndian(out, quint64(objects.size()), 8);
    appendBigEndian(out, top, 8);
    appendBigEndian(out, table, 8);
    return out;
}

// Arrays each holding the next one, `levels` below the root.
inline QByteArray deepBinary(int levels)
{
    QList<QByteArray> objects;
    for (int i = 0; i < levels; ++i)
        objects.append(arrayOf({quint64(i + 1)}));
    objects.append(arrayOf({}));
    return binaryList(objects);
}

inline QByteArray deepXml(int levels)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">"
        + QByteArray("<array>").repeated(levels + 1) + QByteArray("</array>").repeated(levels + 1) + "</plist>";
}

// Arrays each holding the next one twice: 2^levels leaves once expanded.
inline QByteArray doublingChain(int levels)
{
    QList<QByteArray> objects;
    for (int i = 0; i < levels; ++i)
        objects.append(arrayOf({quint64(i + 1), quint64(i + 1)}));
    objects.append(arrayOf({}));
    return binaryList(objects);
}

} // namespace testplist
