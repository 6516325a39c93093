// What the service needs of a source of drives: the real hardware or a simulation. A backend
// names each drive by a stable identifier and reports changes through its signals, on the
// thread it lives in.
#pragma once

#include "Foundation/Dictionary.h"

#include <QObject>
#include <QStringList>

class DriveBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The recorders attached now, in display order.
    [[nodiscard]] virtual QStringList drives() = 0;
    // Information without the support level (the service adds it); nil when the drive is gone.
    [[nodiscard]] virtual tz::DictionaryPtr info(const QString& drive) = 0;
    // The current state, read anew; nil when the drive is gone.
    [[nodiscard]] virtual tz::DictionaryPtr status(const QString& drive) = 0;
    // false also when the drive is gone or does not answer.
    [[nodiscard]] virtual bool trayIsOpen(const QString& drive) = 0;
    virtual bool closeTray(const QString& drive) = 0;
    virtual bool ejectMedia(const QString& drive) = 0;
    // Whether anyone observes status changes; a backend that has to poll for some of them
    // polls only while this is on.
    virtual void setObserved(bool observed) { Q_UNUSED(observed); }

Q_SIGNALS:
    void driveAppeared(const QString& drive);
    void driveDisappeared(const QString& drive);
    void driveStatusChanged(const QString& drive);
};
