#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include "Foundation/AtomicWrite.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

namespace tz {

namespace {

constexpr quint32 magicNumber = 0x00051607;
constexpr quint32 versionNumber = 0x00020000;
constexpr qsizetype fillerSize = 16;
constexpr qsizetype headerSize = 26;     // magic, version, filler, entry count
constexpr qsizetype descriptorSize = 12; // id, offset, length
constexpr qsizetype finderInfoSize = 32;

quint32 be32(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

void appendBe32(QByteArray* bytes, quint32 value)
{
    char buffer[4];
    qToBigEndian(value, buffer);
    bytes->append(buffer, 4);
}

// Present but empty entries stay distinguishable from absent ones.
QByteArray nonNull(const QByteArray& data)
{
    return data.isNull() ? QByteArray("", 0) : data;
}

// A path the system calls can take whole: not empty, no NUL that would cut it short.
bool usable(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0'));
}

// Something (also a broken link) is at the path.
bool itemExists(const QString& path)
{
    struct stat info = {};
    return usable(path) && ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    return writeAtomically(bytes, path);
}

bool readBytes(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool removeIfPresent(const QString& path)
{
    return !itemExists(path) || QFile::remove(path);
}

bool readable(AppleDoubleStatus status)
{
    return status == AppleDoubleStatus::Ok || status == AppleDoubleStatus::Absent;
}

} // namespace

QString appleDoubleCompanionPath(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    if (trimmed.isEmpty())
        return {};
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    return trimmed.first(slash + 1) + QStringLiteral("._") + trimmed.sliced(slash + 1);
}

QByteArray AppleDouble::entry(quint32 id) const
{
    const auto found =
        std::find_if(entries.cbegin(), entries.cend(), [id](const AppleDoubleEntry& e) { return e.id == id; });
    return found == entries.cend() ? QByteArray() : found->data;
}

void AppleDouble::setEntry(quint32 id, const QByteArray& data)
{
    for (AppleDoubleEntry& e : entries) {
        if (e.id == id) {
            e.data = nonNull(data);
            return;
        }
    }
    auto at = entries.end();
    if (id == appleDoubleFinderInfoEntry)
        at = std::find_if(entries.begin(), entries.end(),
                          [](const AppleDoubleEntry& e) { return e.id == appleDoubleResourceForkEntry; });
    entries.insert(at, AppleDoubleEntry{id, nonNull(data)});
}

void AppleDouble::removeEntry(quint32 id)
{
    entries.removeIf([id](const AppleDoubleEntry& e) { return e.id == id; });
}

bool AppleDouble::isEmpty() const
{
    return std::all_of(entries.cbegin(), entries.cend(), [](const AppleDoubleEntry& e) {
        return std::all_of(e.data.cbegin(), e.data.cend(), [](char c) { return c == '\0'; });
    });
}

AppleDoubleStatus parseAppleDouble(const QByteArray& bytes, AppleDouble* out)
{
    *out = AppleDouble{};
    if (bytes.size() < headerSize || be32(bytes, 0) != magicNumber || be32(bytes, 4) != versionNumber)
        return AppleDoubleStatus::Malformed;
    const quint16 count = qFromBigEndian<quint16>(bytes.constData() + 24);
    if (headerSize + qsizetype(count) * descriptorSize > bytes.size())
        return AppleDoubleStatus::Malformed;
    AppleDouble parsed;
    parsed.filler = bytes.mid(8, fillerSize);
    parsed.entries.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = headerSize + i * descriptorSize;
        const quint32 id = be32(bytes, at);
        const quint64 offset = be32(bytes, at + 4);
        const quint64 length = be32(bytes, at + 8);
        if (offset + length > quint64(bytes.size()))
            return AppleDoubleStatus::Malformed;
        parsed.entries.append({id, nonNull(bytes.mid(qsizetype(offset), qsizetype(length)))});
    }
    *out = std::move(parsed);
    return AppleDoubleStatus::Ok;
}

QByteArray serializeAppleDouble(const AppleDouble& file)
{
    const qsizetype count = std::min<qsizetype>(file.entries.size(), 0xFFFF);
    QByteArray bytes;
    appendBe32(&bytes, magicNumber);
    appendBe32(&bytes, versionNumber);
    bytes.append(file.filler.size() == fillerSize ? file.filler : QByteArray(fillerSize, '\0'));
    char countBytes[2];
    qToBigEndian(quint16(count), countBytes);
    bytes.append(countBytes, 2);
    quint32 offset = quint32(headerSize + count * descriptorSize);
    for (qsizetype i = 0; i < count; ++i) {
        const AppleDoubleEntry& e = file.entries.at(i);
        appendBe32(&bytes, e.id);
        appendBe32(&bytes, offset);
        appendBe32(&bytes, quint32(e.data.size()));
        offset += quint32(e.data.size());
    }
    for (qsizetype i = 0; i < count; ++i)
        bytes.append(file.entries.at(i).data);
    return bytes;
}

AppleDoubleStatus readAppleDouble(const QString& path, AppleDouble* out)
{
    *out = AppleDouble{};
    out->filler = QByteArray(fillerSize, '\0');
    const QString companion = appleDoubleCompanionPath(path);
    if (!itemExists(companion))
        return AppleDoubleStatus::Absent;
    QByteArray bytes;
    if (!readBytes(companion, &bytes))
        return AppleDoubleStatus::IoError;
    const AppleDoubleStatus status = parseAppleDouble(bytes, out);
    if (status != AppleDoubleStatus::Ok)
        out->filler = QByteArray(fillerSize, '\0');
    return status;
}

bool writeAppleDouble(const QString& path, const AppleDouble& file)
{
    if (!itemExists(path))
        return false;
    AppleDouble existing;
    const AppleDoubleStatus status = readAppleDouble(path, &existing);
    if (!readable(status))
        return false;
    const QString companion = appleDoubleCompanionPath(path);
    if (file.isEmpty())
        return status == AppleDoubleStatus::Absent || QFile::remove(companion);
    return writeBytes(companion, serializeAppleDouble(file));
}

AppleDoubleStatus readFinderInfo(const QString& path, QByteArray* info32)
{
    *info32 = QByteArray(finderInfoSize, '\0');
    AppleDouble file;
    const AppleDoubleStatus status = readAppleDouble(path, &file);
    if (status == AppleDoubleStatus::Ok) {
        const QByteArray stored = file.entry(appleDoubleFinderInfoEntry);
        std::copy_n(stored.constData(), std::min(stored.size(), finderInfoSize), info32->data());
    }
    return status;
}

bool writeFinderInfo(const QString& path, const QByteArray& info32)
{
    if (info32.size() != finderInfoSize)
        return false;
    AppleDouble file;
    if (!readable(readAppleDouble(path, &file)))
        return false;
    QByteArray stored = file.entry(appleDoubleFinderInfoEntry);
    if (stored.size() > finderInfoSize)
        stored.replace(0, finderInfoSize, info32);
    else
        stored = info32;
    file.setEntry(appleDoubleFinderInfoEntry, stored);
    return writeAppleDouble(path, file);
}

qint64 resourceForkSize(const QString& path)
{
    AppleDouble file;
    switch (readAppleDouble(path, &file)) {
    case AppleDoubleStatus::Absent: return 0;
    case AppleDoubleStatus::Ok: return file.entry(appleDoubleResourceForkEntry).size();
    case AppleDoubleStatus::Malformed:
    case AppleDoubleStatus::IoError: break;
    }
    return -1;
}

bool moveAppleDoubleCompanion(const QString& fromPath, const QString& toPath)
{
    const QString from = appleDoubleCompanionPath(fromPath);
    const QString to = appleDoubleCompanionPath(toPath);
    if (!usable(from) || !usable(to))
        return false;
    if (!itemExists(from))
        return removeIfPresent(to);
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    QByteArray bytes;
    return readBytes(from, &bytes) && writeBytes(to, bytes) && QFile::remove(from);
}

bool copyAppleDoubleCompanion(const QString& fromPath, const QString& toPath)
{
    const QString from = appleDoubleCompanionPath(fromPath);
    const QString to = appleDoubleCompanionPath(toPath);
    if (!usable(from) || !usable(to))
        return false;
    if (!itemExists(from))
        return removeIfPresent(to);
    QByteArray bytes;
    return readBytes(from, &bytes) && writeBytes(to, bytes);
}

bool removeAppleDoubleCompanion(const QString& path)
{
    const QString companion = appleDoubleCompanionPath(path);
    return usable(companion) && removeIfPresent(companion);
}

bool exchangeAppleDoubleCompanions(const QString& a, const QString& b)
{
    AppleDouble fileA;
    AppleDouble fileB;
    if (!readable(readAppleDouble(a, &fileA)) || !readable(readAppleDouble(b, &fileB)))
        return false;
    const QByteArray forkA = fileA.entry(appleDoubleResourceForkEntry);
    const QByteArray forkB = fileB.entry(appleDoubleResourceForkEntry);
    if (forkA.isNull() && forkB.isNull())
        return true;
    const auto withFork = [](AppleDouble file, const QByteArray& fork) {
        if (fork.isNull())
            file.removeEntry(appleDoubleResourceForkEntry);
        else
            file.setEntry(appleDoubleResourceForkEntry, fork);
        return file;
    };
    if (!writeAppleDouble(a, withFork(fileA, forkB)))
        return false;
    if (writeAppleDouble(b, withFork(fileB, forkA)))
        return true;
    (void)writeAppleDouble(a, fileA); // undo the first half
    return false;
}

} // namespace tz
