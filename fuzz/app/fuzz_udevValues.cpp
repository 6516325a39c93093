// udev properties and SCSI attributes of any value, as the udev backend reads them. The input
// is one item a line (UTF-8): NAME=VALUE a property, @vendor= @model= @rev= an INQUIRY
// attribute, ^NAME a parent's subsystem, /PATH the syspath. A recorder always writes some
// kind, every drive has an interconnect and a location, names are trimmed, and an open tray
// holds no medium.
#include "app/DiscRecording/DriveDictionaries.h"
#include "app/DiscRecording/UdevValues.h"

#include <QByteArray>

#include <cstdlib>

using namespace DiscRecording;

namespace {

bool trimmed(const QString& text)
{
    return text == text.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    UdevValues values;
    for (const QByteArray& line : input.split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith(u"@vendor="))
            values.scsiVendor = text.mid(8);
        else if (text.startsWith(u"@model="))
            values.scsiModel = text.mid(7);
        else if (text.startsWith(u"@rev="))
            values.scsiRevision = text.mid(5);
        else if (text.startsWith(u'^'))
            values.parentSubsystems.append(text.mid(1));
        else if (text.startsWith(u'/'))
            values.syspath = text;
        else if (const qsizetype equals = line.indexOf('='); equals > 0)
            values.properties.insert(line.first(equals), QString::fromUtf8(line.sliced(equals + 1)));
    }

    const DriveInfo info = driveInfo(values, QStringLiteral("/dev/sr0"));
    if (writesAnyKind(values) && info.writes.isEmpty())
        std::abort();
    if (info.interconnect.isEmpty() || info.location.isEmpty() || !trimmed(info.vendor) || !trimmed(info.product)
        || !trimmed(info.firmwareRevision))
        std::abort();
    if (driveState(values, true).mediaPresent)
        std::abort();
    const DriveState state = driveState(values, false);
    if (state.mediaPresent && state.mediaState.isEmpty())
        std::abort();
    (void)infoDictionary(info);
    (void)statusDictionary(state);
    return 0;
}
