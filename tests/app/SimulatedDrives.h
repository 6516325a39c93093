// Files the tests hand to the drive service: simulated drives and device-support profiles.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

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

// A simulation file with these drives, attached from the start.
inline QString simulation(const QStringList& drives)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                          "<key>Drives</key><array>%1</array></dict></plist>")
        .arg(drives.join(QString()));
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

} // namespace testfiles
