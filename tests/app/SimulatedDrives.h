// Files the tests hand to the drive service: simulated drives and device-support profiles.
#pragma once

#include "app/DiscRecording/DriveService.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <tuple>

namespace testfiles {

// A simulated drive. Empty location or interconnect leaves the key out.
inline QString drive(const QString& id, const QString& vendor, const QString& product, const QString& location,
                     const QString& interconnect)
{
    QString xml = QStringLiteral("<dict><key>Identifier</key><string>%1</string>"
                                 "<key>VendorName</key><string>%2</string>"
                                 "<key>ProductName</key><string>%3</string>"
                                 "<key>WriteCapabilities</key><array><string>CDR</string><string>DVDR</string></array>")
                      .arg(id, vendor, product);
    if (!location.isEmpty())
        xml += QStringLiteral("<key>Location</key><string>%1</string>").arg(location);
    if (!interconnect.isEmpty())
        xml += QStringLiteral("<key>Interconnect</key><string>%1</string>").arg(interconnect);
    return xml + QStringLiteral("</dict>");
}

// A drive dictionary with more keys before its end.
inline QString withKeys(const QString& drive, const QString& keys)
{
    return drive.chopped(int(qstrlen("</dict>"))) + keys + QStringLiteral("</dict>");
}

// Media keys: a blank disc in a closed tray, and a mounted disc (which refuses to eject).
inline const QString closedWithBlankDisc = QStringLiteral(
    "<key>Media</key><dict><key>Type</key><string>DVDR</string><key>State</key><string>Blank</string></dict>");
inline const QString mountedDisc = QStringLiteral("<key>Media</key><dict><key>Type</key><string>DVDROM</string>"
                                                  "<key>State</key><string>Complete</string>"
                                                  "<key>Mounted</key><true/></dict>");

// A simulation file with these drives, attached from the start.
inline QString simulation(const QStringList& drives)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                          "<key>Drives</key><array>%1</array></dict></plist>")
        .arg(drives.join(QString()));
}

// A simulation whose drives come and go: events are (seconds after the previous one, drive, kind).
inline QString simulationWithEvents(const QStringList& drives,
                                    const QList<std::tuple<double, QString, QString>>& events)
{
    QString list;
    for (const auto& [after, drive, kind] : events)
        list += QStringLiteral("<dict><key>After</key><real>%1</real><key>Drive</key><string>%2</string>"
                               "<key>Event</key><string>%3</string></dict>")
                    .arg(after)
                    .arg(drive, kind);
    QString text = simulation(drives);
    return text.replace(QStringLiteral("</array></dict></plist>"),
                        QStringLiteral("</array><key>Events</key><array>%1</array></dict></plist>").arg(list));
}

// A profile entry with one personality per product.
inline QString profileEntry(const QString& actualVendor, const QString& vendor, const QStringList& products)
{
    QString personalities;
    for (const QString& product : products)
        personalities += QStringLiteral("<dict><key>DRDeviceVendorName</key><string>%1</string>"
                                        "<key>DRDeviceProductName</key><string>%2</string></dict>")
                             .arg(vendor, product);
    return QStringLiteral("<dict><key>DRDevicePersonalities</key><array>%1</array>"
                          "<key>DRDeviceProfile</key><dict><key>DRDeviceActualVendorName</key><string>%2</string>"
                          "</dict></dict>")
        .arg(personalities, actualVendor);
}

inline QString profile(const QStringList& entries)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><array>%1</array></plist>")
        .arg(entries.join(QString()));
}

// Writes the text to the path; false on failure.
inline bool write(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

// Simulation files in a folder of their own, each served in turn by a drive service.
class SimulatedDrives
{
public:
    [[nodiscard]] bool isValid() const { return _dir.isValid(); }
    [[nodiscard]] QString path(const QString& name) const { return _dir.filePath(name); }

    // Writes the simulation text to a new file and switches the service to it once its drives
    // are listed; the file's path, or empty when it could not be written or listed.
    QString serve(DriveService& service, const QString& text)
    {
        const QString file = path(QStringLiteral("drives%1.plist").arg(++_files));
        if (!write(file, text))
            return {};
        service.useSimulatedDrives(file);
        return service.waitForDrives() ? file : QString();
    }
    // The same, for drives attached from the start.
    QString serve(DriveService& service, const QStringList& drives) { return serve(service, simulation(drives)); }

private:
    QTemporaryDir _dir;
    int _files = 0;
};

} // namespace testfiles
