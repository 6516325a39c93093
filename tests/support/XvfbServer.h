// An Xvfb of the test's own on a display number the server picks (-displayfd), so tests can
// run beside other X servers.
#pragma once

#include <QProcess>
#include <QStringList>

class XvfbServer
{
public:
    XvfbServer() = default;
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer()
    {
        if (_server.state() != QProcess::NotRunning) {
            _server.terminate();
            _server.waitForFinished(5000);
        }
    }

    // Starts the server with the extra arguments; the display name (":N") or empty on failure.
    [[nodiscard]] QByteArray start(const QStringList& extraArguments = {})
    {
        _server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        _server.start(QStringLiteral("Xvfb"),
                      QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                  QStringLiteral("640x480x24")}
                          + extraArguments);
        if (!_server.waitForStarted(5000))
            return {};
        while (!_server.canReadLine() && _server.waitForReadyRead(10000)) {}
        const QByteArray number = _server.readLine().trimmed();
        return number.isEmpty() ? QByteArray() : ':' + number;
    }

private:
    QProcess _server;
};
