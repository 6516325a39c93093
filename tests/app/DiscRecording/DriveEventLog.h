// Test helper: records the drive notifications a centre delivers as "Appeared /dev/sr0".
#pragma once

#include "app/DiscRecording/DRNotificationCenter.h"

#include <QPointer>
#include <QStringList>

class DriveEventLog : public QObject
{
public:
    // Observes the installed service's centre.
    explicit DriveEventLog(const QString& name = {}, const tz::Id& device = {})
        : _center(DRNotificationCenter::currentRunLoopCenter())
    {
        _center->addObserverSelectorNameObject(this, &DriveEventLog::record, name, device);
    }
    ~DriveEventLog() override { stop(); }

    void stop()
    {
        if (_center)
            _center->removeObserverNameObject(this, {}, {});
    }

    void record(const DRNotification& n)
    {
        QString kind = n.name;
        kind.remove(QStringLiteral("DRDevice")).remove(QStringLiteral("Notification"));
        const auto* device = tz::as<DRDevice>(n.object);
        entries.append(kind + u' ' + (device ? device->identifier() : QStringLiteral("?")));
    }

    QStringList entries;

private:
    QPointer<DRNotificationCenter> _center;
};
