// Seconds since the user's last input. In a Wayland session (WAYLAND_DISPLAY set) the
// compositor's idle monitor is asked over the session bus: org.gnome.Mutter.IdleMonitor
// (milliseconds), else org.freedesktop.ScreenSaver's GetSessionIdleTime (seconds).
// Otherwise the X server of DISPLAY is asked through its screen-saver extension.
#pragma once

namespace tz {

// 0 when the time cannot be had, with one of these plain log entries:
//   "Error accessing IOHIDSystem\n"            no X display and no session bus;
//   "Iterator's empty!\n"                      the display or bus offers no idle monitor;
//   "Couldn't grab properties of system\n"     the query failed (followed by the next);
//   "Can't find idle time\n"                   no idle time in the answer;
//   "%@: unsupported type\n"                   the answer is not a number (with its type).
[[nodiscard]] double SystemIdleTime();

} // namespace tz
