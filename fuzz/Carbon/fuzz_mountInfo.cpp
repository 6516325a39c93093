// Mount table: any bytes parse without crashing; every entry written back in the kernel's
// escaped form parses to the same entry.
#include "Carbon/MountInfo.h"

#include <QFile>

#include <cstdint>

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            __builtin_trap(); \
    } while (false)

namespace {

QByteArray escaped(const QString& text)
{
    QByteArray out;
    for (const char c : QFile::encodeName(text)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\')
            out += '\\' + QByteArray::number(int(quint8(c)), 8).rightJustified(3, '0');
        else
            out += c;
    }
    return out.isEmpty() ? QByteArray("\\040") : out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<tz::MountInfoEntry> entries = tz::parseMountInfo(text);
    FUZZ_CHECK(entries.size() <= text.count('\n') + 1);
    for (const tz::MountInfoEntry& e : entries) {
        FUZZ_CHECK(e.mountId >= 0 && e.parentId >= 0);
        if (e.root.isEmpty() || e.mountPoint.isEmpty() || e.mountOptions.isEmpty() || e.fileSystemType.isEmpty()
            || e.source.isEmpty() || e.superOptions.isEmpty())
            continue;
        // Names that do not survive the file-name encoding cannot be compared after a round trip.
        const auto same = [](const QString& s) { return QFile::decodeName(QFile::encodeName(s)) == s; };
        if (!same(e.root) || !same(e.mountPoint) || !same(e.mountOptions) || !same(e.fileSystemType) || !same(e.source)
            || !same(e.superOptions))
            continue;
        const QByteArray line = QByteArray::number(e.mountId) + ' ' + QByteArray::number(e.parentId) + ' '
            + QByteArray::number(e.major) + ':' + QByteArray::number(e.minor) + ' ' + escaped(e.root) + ' '
            + escaped(e.mountPoint) + ' ' + escaped(e.mountOptions) + " - " + escaped(e.fileSystemType) + ' '
            + escaped(e.source) + ' ' + escaped(e.superOptions) + '\n';
        const QList<tz::MountInfoEntry> again = tz::parseMountInfo(line);
        FUZZ_CHECK(again.size() == 1 && again.first() == e);
    }
    return 0;
}
