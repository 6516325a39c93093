// A D-Bus daemon of the test's own, used as both session and system bus, and python3-dbusmock
// services on it. Call usePrivateBus() before anything in the process touches D-Bus.
#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

class PrivateBus
{
public:
    PrivateBus() = default;
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    ~PrivateBus()
    {
        stopServices();
        if (_daemon.state() != QProcess::NotRunning) {
            _daemon.terminate();
            _daemon.waitForFinished(5000);
        }
        if (!_address.isEmpty())
            QDBusConnection::disconnectFromBus(connectionName);
    }

    // Starts the daemon and points this process's session and system buses at it.
    [[nodiscard]] bool usePrivateBus()
    {
        _daemon.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!_daemon.waitForStarted(5000))
            return false;
        while (!_daemon.canReadLine() && _daemon.waitForReadyRead(5000)) {}
        _address = QString::fromUtf8(_daemon.readLine().trimmed());
        if (_address.isEmpty())
            return false;
        qputenv("DBUS_SESSION_BUS_ADDRESS", _address.toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", _address.toUtf8());
        return bus().isConnected();
    }

    // The test's own connection to the daemon, for watching and driving the mocks.
    [[nodiscard]] QDBusConnection bus() const { return QDBusConnection::connectToBus(_address, connectionName); }

    // Starts "python3 -m dbusmock ARGS" with Debian's Python (where python3-dbusmock lives) and
    // waits until it owns busName.
    [[nodiscard]] bool startService(const QString& busName, const QStringList& arguments)
    {
        auto service = std::make_unique<QProcess>();
        service->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        service->setStandardOutputFile(QProcess::nullDevice());
        service->start(QStringLiteral("/usr/bin/python3"),
                       QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
        if (!service->waitForStarted(5000))
            return false;
        QProcess* const started = service.get();
        _services.push_back({busName, std::move(service)});
        const QDBusConnection connection = bus();
        return QTest::qWaitFor(
                   [&] {
                       return started->state() == QProcess::NotRunning
                           || connection.interface()->isServiceRegistered(busName).value();
                   },
                   15000)
            && started->state() == QProcess::Running;
    }

    // A mock's method on the mock's main object (dbusmock's AddMethod).
    [[nodiscard]] bool addMethod(const QString& busName, const QString& path, const QString& name,
                                 const QString& outSignature, const QString& code)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(busName, path, QStringLiteral("org.freedesktop.DBus.Mock"),
                                                           QStringLiteral("AddMethod"));
        call << QString() << name << QString() << outSignature << code;
        return bus().call(call).type() == QDBusMessage::ReplyMessage;
    }

    // Stops every service and waits until their names are gone from the bus.
    void stopServices()
    {
        for (const auto& [name, service] : _services) {
            service->terminate();
            if (!service->waitForFinished(5000)) {
                service->kill();
                service->waitForFinished(5000);
            }
            const QDBusConnection connection = bus();
            (void)QTest::qWaitFor([&] { return !connection.interface()->isServiceRegistered(name).value(); }, 5000);
        }
        _services.clear();
    }

private:
    static inline const QString connectionName = QStringLiteral("tz-private-bus");
    QProcess _daemon;
    QString _address;
    std::vector<std::pair<QString, std::unique_ptr<QProcess>>> _services;
};
