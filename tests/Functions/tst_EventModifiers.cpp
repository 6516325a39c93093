#include "Functions/EventModifiers.h"
#include "support/XvfbServer.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <memory>

using namespace tz;

namespace {

// Records the probes' answers while its key events are being handled.
class KeyWindow : public QWindow
{
public:
    unsigned seen = 0;

protected:
    void keyPressEvent(QKeyEvent*) override
    {
        seen = (isShiftKeyEvent() ? shiftKeyMask : 0) | (isControlKeyEvent() ? controlKeyMask : 0)
            | (isOptionKeyEvent() ? optionKeyMask : 0) | (isCommandKeyEvent() ? commandKeyMask : 0);
    }
};

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

void tapKey(Display* display, KeySym key)
{
    const KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
}

} // namespace

class tst_EventModifiers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modifiersOfTheHandledEvent_data();
    void modifiersOfTheHandledEvent();
    void anyBitOfTheMask();
    void capsLockFromTheXKeyboard();
};

void tst_EventModifiers::modifiersOfTheHandledEvent_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<unsigned>("flags");
    QTest::newRow("none") << Qt::KeyboardModifiers() << 0u;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << shiftKeyMask;
    QTest::newRow("control and alt") << (Qt::ControlModifier | Qt::AltModifier) << (controlKeyMask | optionKeyMask);
    QTest::newRow("meta is command") << Qt::KeyboardModifiers(Qt::MetaModifier) << commandKeyMask;
    QTest::newRow("all four") << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
                              << (shiftKeyMask | controlKeyMask | optionKeyMask | commandKeyMask);
}

void tst_EventModifiers::modifiersOfTheHandledEvent()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(unsigned, flags);
    KeyWindow window;
    window.show();
    window.seen = 0xFFFFFFFF;
    QTest::keyClick(&window, Qt::Key_A, modifiers);
    QCOMPARE(window.seen, flags);
}

void tst_EventModifiers::anyBitOfTheMask()
{
    KeyWindow window;
    window.show();
    QTest::keyPress(&window, Qt::Key_A, Qt::MetaModifier);
    QVERIFY(eventHasModifier(shiftKeyMask | commandKeyMask));
    QVERIFY(!eventHasModifier(shiftKeyMask | controlKeyMask));
    QTest::keyRelease(&window, Qt::Key_A, Qt::MetaModifier);
}

void tst_EventModifiers::capsLockFromTheXKeyboard()
{
    qunsetenv("DISPLAY");
    QVERIFY(!isCapsLockEvent());

    XvfbServer server;
    const QByteArray name = server.start();
    QVERIFY(!name.isEmpty());
    qputenv("DISPLAY", name);
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(name.constData()));
    QVERIFY(display);
    QVERIFY(!isCapsLockEvent());
    tapKey(display.get(), XK_Caps_Lock);
    QVERIFY(isCapsLockEvent());
    QVERIFY(eventHasModifier(capsLockKeyMask | shiftKeyMask));
    QVERIFY(!isShiftKeyEvent());
    tapKey(display.get(), XK_Caps_Lock);
    QVERIFY(!isCapsLockEvent());
    qunsetenv("DISPLAY");
}

QTEST_MAIN(tst_EventModifiers)
#include "tst_EventModifiers.moc"
