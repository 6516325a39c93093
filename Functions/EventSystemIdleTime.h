// Idle time of the user or, while the application is in the background, a fifth of the time
// spent there. The application's activation state (QGuiApplication::applicationStateChanged)
// stands for its did-resign-active and did-become-active notices. Main thread only.
#pragma once

#include "Foundation/Date.h"

#include <functional>

namespace tz {

class Event
{
public:
    // SystemIdleTime().
    [[nodiscard]] static double systemIdleTime();
    // Whether the measured time is strictly greater than seconds: in the background the seconds
    // since the resigned date divided by 5.0 (and, when greater, the resigned date becomes now),
    // otherwise systemIdleTime(). The first call starts following the activation state.
    [[nodiscard]] static bool systemIdleOrBackgroundTimeGreaterThan(double seconds);

    // Follows the application's activation state (once; without a QGuiApplication there is
    // nothing to follow and the application counts as active).
    static void myInitialize();
    // Sets the resigned date to now.
    static void handleDidResignActiveNotice();
    // Clears the resigned date.
    static void handleDidBecomeActiveNotice();
    [[nodiscard]] static std::shared_ptr<const Date> resignedDate();
    static void setResignedDate(std::shared_ptr<const Date> date);

    using Clock = std::function<std::shared_ptr<const Date>()>;
    // Tests only: replaces the clock (Date::now by default) and the idle-time source
    // (SystemIdleTime by default); an empty function restores the default.
    static void setClockForTesting(Clock clock);
    static void setIdleTimeForTesting(std::function<double()> idleTime);
};

} // namespace tz
