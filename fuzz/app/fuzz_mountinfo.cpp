// Mount tables of any shape, as /proc/self/mountinfo might read. The device the first line
// names in its third field is always found.
#include "app/DiscRecording/MountTable.h"

#include <QByteArray>
#include <QList>

#include <cstdlib>

#include <sys/sysmacros.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray table(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)DiscRecording::mountTableListsDevice(table, makedev(11, 0));
    const QList<QByteArray> fields = table.left(table.indexOf('\n')).split(' ');
    if (fields.size() < 3)
        return 0;
    const QList<QByteArray> numbers = fields.at(2).split(':');
    bool majorOk = false;
    bool minorOk = false;
    const unsigned majorNumber = numbers.size() == 2 ? numbers.at(0).toUInt(&majorOk) : 0;
    const unsigned minorNumber = numbers.size() == 2 ? numbers.at(1).toUInt(&minorOk) : 0;
    // Only the canonical spelling ("8:16", not "08:+16") is what the kernel writes.
    if (!majorOk || !minorOk || majorNumber > 0xfff || minorNumber > 0xfffff
        || fields.at(2) != QByteArray::number(majorNumber) + ':' + QByteArray::number(minorNumber))
        return 0;
    if (!DiscRecording::mountTableListsDevice(table, makedev(majorNumber, minorNumber)))
        std::abort();
    return 0;
}
