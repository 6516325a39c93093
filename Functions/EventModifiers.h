// The modifier keys of the event being handled. Shift, control, option (Alt) and command
// (Meta, the Super key) come from QGuiApplication::keyboardModifiers(); caps lock, which Qt
// does not report, from the locked modifiers of the X keyboard of DISPLAY (off without one).
#pragma once

namespace tz {

constexpr unsigned capsLockKeyMask = 0x10000;
constexpr unsigned shiftKeyMask = 0x20000;
constexpr unsigned controlKeyMask = 0x40000;
constexpr unsigned optionKeyMask = 0x80000;
constexpr unsigned commandKeyMask = 0x100000;

// Whether the current event has any of the mask's modifier bits.
[[nodiscard]] bool eventHasModifier(unsigned mask);
[[nodiscard]] bool isCapsLockEvent();
[[nodiscard]] bool isShiftKeyEvent();
[[nodiscard]] bool isControlKeyEvent();
[[nodiscard]] bool isOptionKeyEvent();
[[nodiscard]] bool isCommandKeyEvent();

} // namespace tz
