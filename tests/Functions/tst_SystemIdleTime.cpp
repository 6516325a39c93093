#include "Functions/SystemIdleTime.h"
#include "support/PrivateBus.h"
#include "support/StdErrCapture.h"
#include "support/XvfbServer.h"

#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// Points the probe at an X server (or none) and at no Wayland compositor.
void useDisplay(const QByteArray& display)
{
    qunsetenv("WAYLAND_DISPLAY");
    if (display.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", display);
}

} // namespace

class tst_SystemIdleTime : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void x11IdleGrowsAndDropsAfterInput();
    void x11WithoutScreenSaverExtension();
    void noDisplay();
    void compositorMonitors_data();
    void compositorMonitors();
    void cleanup();

private:
    PrivateBus _bus;
};

void tst_SystemIdleTime::initTestCase()
{
    QVERIFY(_bus.usePrivateBus());
}

void tst_SystemIdleTime::cleanup()
{
    _bus.stopServices();
    qunsetenv("WAYLAND_DISPLAY");
}

void tst_SystemIdleTime::x11IdleGrowsAndDropsAfterInput()
{
    XvfbServer server;
    const QByteArray display = server.start();
    QVERIFY(!display.isEmpty());
    useDisplay(display);
    const std::unique_ptr<Display, DisplayCloser> input(XOpenDisplay(display.constData()));
    QVERIFY(input);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    QVERIFY(XTestQueryExtension(input.get(), &eventBase, &errorBase, &major, &minor));

    StdErrCapture capture;
    XTestFakeRelativeMotionEvent(input.get(), 5, 5, CurrentTime);
    XSync(input.get(), False);
    const double start = tz::SystemIdleTime();
    QTest::qWait(1500);
    const double paused = tz::SystemIdleTime();
    QVERIFY2(paused >= start + 1.0, qPrintable(u"%1 then %2"_s.arg(start).arg(paused)));

    XTestFakeRelativeMotionEvent(input.get(), -5, -5, CurrentTime);
    XSync(input.get(), False);
    const double afterInput = tz::SystemIdleTime();
    QVERIFY2(afterInput < 1.0 && afterInput < paused, qPrintable(u"%1 after %2"_s.arg(afterInput).arg(paused)));
    QCOMPARE(capture.text(), QByteArray());
}

void tst_SystemIdleTime::x11WithoutScreenSaverExtension()
{
    XvfbServer server;
    const QByteArray display = server.start({u"-extension"_s, u"MIT-SCREEN-SAVER"_s});
    QVERIFY(!display.isEmpty());
    useDisplay(display);
    StdErrCapture capture;
    QCOMPARE(tz::SystemIdleTime(), 0.0);
    const QByteArray text = capture.text();
    QVERIFY2(text.endsWith("] Iterator's empty!\n") && capture.lineCount() == 1, text.constData());
}

void tst_SystemIdleTime::noDisplay()
{
    useDisplay({});
    StdErrCapture capture;
    QCOMPARE(tz::SystemIdleTime(), 0.0);
    const QByteArray text = capture.text();
    QVERIFY2(text.endsWith("] Error accessing IOHIDSystem\n") && capture.lineCount() == 1, text.constData());
}

void tst_SystemIdleTime::compositorMonitors_data()
{
    // Each service row: bus name, object path, method, D-Bus type of the answer, Python code.
    QTest::addColumn<QStringList>("mutter");
    QTest::addColumn<QStringList>("screenSaver");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QList<QByteArray>>("messages");
    const auto mutter = [](const QString& type, const QString& code) {
        return QStringList{u"org.gnome.Mutter.IdleMonitor"_s, u"/org/gnome/Mutter/IdleMonitor/Core"_s, u"GetIdletime"_s,
                           type, code};
    };
    const auto screenSaver = [](const QString& type, const QString& code) {
        return QStringList{u"org.freedesktop.ScreenSaver"_s, u"/org/freedesktop/ScreenSaver"_s, u"GetSessionIdleTime"_s,
                           type, code};
    };
    QTest::newRow("mutter milliseconds") << mutter(u"t"_s, u"ret = 4500"_s) << QStringList() << 4.5
                                         << QList<QByteArray>();
    QTest::newRow("screen saver seconds")
        << QStringList() << screenSaver(u"u"_s, u"ret = 7"_s) << 7.0 << QList<QByteArray>();
    QTest::newRow("mutter before screen saver")
        << mutter(u"t"_s, u"ret = 2000"_s) << screenSaver(u"u"_s, u"ret = 9"_s) << 2.0 << QList<QByteArray>();
    QTest::newRow("not a number") << mutter(u"s"_s, u"ret = 'soon'"_s) << QStringList() << 0.0
                                  << QList<QByteArray>{"] QString: unsupported type\n"};
    QTest::newRow("no answer") << mutter(u""_s, u"pass"_s) << QStringList() << 0.0
                               << QList<QByteArray>{"] Can't find idle time\n"};
    QTest::newRow("failed call") << mutter(u"t"_s, u"raise dbus.exceptions.DBusException('no', name='org.x.Failed')"_s)
                                 << QStringList() << 0.0
                                 << QList<QByteArray>{"] Couldn't grab properties of system\n",
                                                      "] Can't find idle time\n"};
    QTest::newRow("no monitor") << QStringList() << QStringList() << 0.0 << QList<QByteArray>{"] Iterator's empty!\n"};
}

void tst_SystemIdleTime::compositorMonitors()
{
    QFETCH(QStringList, mutter);
    QFETCH(QStringList, screenSaver);
    QFETCH(double, seconds);
    QFETCH(QList<QByteArray>, messages);
    for (const QStringList& service : {mutter, screenSaver}) {
        if (service.isEmpty())
            continue;
        QVERIFY(_bus.startService(service[0], {service[0], service[1], service[0]}));
        QVERIFY(_bus.addMethod(service[0], service[1], service[2], service[3], service[4]));
    }
    qputenv("WAYLAND_DISPLAY", "wayland-test");
    qunsetenv("DISPLAY");
    StdErrCapture capture;
    QCOMPARE(tz::SystemIdleTime(), seconds);
    const QList<QByteArray> lines = capture.text().split('\n');
    QCOMPARE(lines.size(), messages.size() + 1);
    for (qsizetype i = 0; i < messages.size(); ++i)
        QVERIFY2((lines[i] + '\n').endsWith(messages[i]), lines[i].constData());
}

QTEST_GUILESS_MAIN(tst_SystemIdleTime)
#include "tst_SystemIdleTime.moc"
