// An AppleDouble companion and a resource fork written out byte by byte from the published
// layouts (not by our writer), as macOS would leave them on a foreign volume.
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace handmade {

// The byte layouts keep one field group a line.
// clang-format off

inline QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray be16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Two types: 'STR ' with 128 "Greeting" (purgeable, "\5Hello") and -1 (no name, "\0"); 'ICN#'
// with 0 "Icon" (protected, 8 bytes). Application data "app!" at byte 128. Map attributes given.
inline QByteArray resourceFork(quint16 mapAttributes = 0)
{
    const QByteArray header = be32(256) + be32(283) + be32(27) + be32(96);
    QByteArray reserved(240, '\0');
    reserved.replace(112, 4, "app!");
    const QByteArray data = be32(6) + QByteArray("\x05Hello") + be32(1) + QByteArray(1, '\0') + be32(8)
        + QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08");
    const QByteArray map = header + be32(0) + be16(0) + be16(mapAttributes) + be16(28) + be16(82)
        // type list: count - 1, then type, resources - 1, offset of its reference list
        + be16(1) + QByteArray("STR ") + be16(1) + be16(18) + QByteArray("ICN#") + be16(0) + be16(42)
        // references: id, name offset, attributes, 24-bit data offset, handle
        + be16(128) + be16(0) + QByteArray("\x20\x00\x00\x00", 4) + be32(0)
        + be16(0xFFFF) + be16(0xFFFF) + QByteArray("\x00\x00\x00\x0a", 4) + be32(0)
        + be16(0) + be16(9) + QByteArray("\x08\x00\x00\x0f", 4) + be32(0)
        // names
        + QByteArray("\x08Greeting\x04Icon");
    return header + reserved + data + map;
}

inline constexpr quint32 typeSTR = 0x53545220; // 'STR '
inline constexpr quint32 typeICN = 0x49434E23; // 'ICN#'

// A companion laid out the way macOS writes one: filler "Mac OS X        ", Finder information
// longer than 32 bytes, an unknown entry (a comment) between, the resource fork last.
struct Companion
{
    QByteArray finderInfo = QByteArray("TEXTttxt\x40\x00", 10) + QByteArray(22, '\0') + QByteArray("ATTRextra", 9);
    QByteArray comment = "a comment";
    QByteArray fork = QByteArray("\x00\x00\x01\x00", 4) + QByteArray(12, '\x07');

    QByteArray bytes() const
    {
        const quint32 first = 26 + 3 * 12;
        return be32(0x00051607) + be32(0x00020000) + QByteArray("Mac OS X        ") + be16(3)
            + be32(9) + be32(first) + be32(quint32(finderInfo.size()))
            + be32(4) + be32(first + quint32(finderInfo.size())) + be32(quint32(comment.size()))
            + be32(2) + be32(first + quint32(finderInfo.size() + comment.size())) + be32(quint32(fork.size()))
            + finderInfo + comment + fork;
    }
};

// clang-format on

} // namespace handmade
