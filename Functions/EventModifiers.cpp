#include "Functions/EventModifiers.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <memory>

namespace tz {

namespace {

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

bool capsLockOn()
{
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty())
        return false;
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(name.constData()));
    if (!display)
        return false;
    XkbStateRec state{};
    return XkbGetState(display.get(), XkbUseCoreKbd, &state) == Success && (state.locked_mods & LockMask) != 0;
}

unsigned currentModifierFlags(unsigned wanted)
{
    unsigned flags = 0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
        if (modifiers & Qt::ShiftModifier)
            flags |= shiftKeyMask;
        if (modifiers & Qt::ControlModifier)
            flags |= controlKeyMask;
        if (modifiers & Qt::AltModifier)
            flags |= optionKeyMask;
        if (modifiers & Qt::MetaModifier)
            flags |= commandKeyMask;
    }
    // Asking the X server costs a round trip: only when caps lock decides the answer.
    if ((wanted & capsLockKeyMask) && !(flags & wanted) && capsLockOn())
        flags |= capsLockKeyMask;
    return flags;
}

} // namespace

bool eventHasModifier(unsigned mask)
{
    return (currentModifierFlags(mask) & mask) != 0;
}

bool isCapsLockEvent()
{
    return eventHasModifier(capsLockKeyMask);
}

bool isShiftKeyEvent()
{
    return eventHasModifier(shiftKeyMask);
}

bool isControlKeyEvent()
{
    return eventHasModifier(controlKeyMask);
}

bool isOptionKeyEvent()
{
    return eventHasModifier(optionKeyMask);
}

bool isCommandKeyEvent()
{
    return eventHasModifier(commandKeyMask);
}

} // namespace tz
