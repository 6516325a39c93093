#include "Functions/EventSystemIdleTime.h"

#include "Functions/SystemIdleTime.h"

#include <QGuiApplication>

namespace tz {

namespace {

struct Tracking
{
    bool initialised = false;
    std::shared_ptr<const Date> resignedDate;
    Event::Clock clock;
    std::function<double()> idleTime;
};

Tracking& tracking()
{
    static Tracking state;
    return state;
}

std::shared_ptr<const Date> now()
{
    return tracking().clock ? tracking().clock() : Date::now();
}

} // namespace

double Event::systemIdleTime()
{
    return tracking().idleTime ? tracking().idleTime() : SystemIdleTime();
}

bool Event::systemIdleOrBackgroundTimeGreaterThan(double seconds)
{
    if (!tracking().initialised)
        myInitialize();
    double measured = 0;
    if (const std::shared_ptr<const Date> resigned = resignedDate()) {
        measured = (now()->timeIntervalSince1970() - resigned->timeIntervalSince1970()) / 5.0;
        if (measured > seconds)
            setResignedDate(now());
    } else {
        measured = systemIdleTime();
    }
    return measured > seconds;
}

void Event::myInitialize()
{
    Tracking& state = tracking();
    if (state.initialised)
        return;
    state.initialised = true;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application)
        return;
    // Qt may pass through several inactive states on the way out; only leaving the active one resigns.
    auto wasActive = std::make_shared<bool>(QGuiApplication::applicationState() == Qt::ApplicationActive);
    QObject::connect(application, &QGuiApplication::applicationStateChanged, application,
                     [wasActive](Qt::ApplicationState applicationState) {
                         const bool active = applicationState == Qt::ApplicationActive;
                         if (active && !*wasActive)
                             handleDidBecomeActiveNotice();
                         else if (!active && *wasActive)
                             handleDidResignActiveNotice();
                         *wasActive = active;
                     });
}

void Event::handleDidResignActiveNotice()
{
    setResignedDate(now());
}

void Event::handleDidBecomeActiveNotice()
{
    setResignedDate({});
}

std::shared_ptr<const Date> Event::resignedDate()
{
    return tracking().resignedDate;
}

void Event::setResignedDate(std::shared_ptr<const Date> date)
{
    if (tracking().resignedDate != date)
        tracking().resignedDate = std::move(date);
}

void Event::setClockForTesting(Clock clock)
{
    tracking().clock = std::move(clock);
}

void Event::setIdleTimeForTesting(std::function<double()> idleTime)
{
    tracking().idleTime = std::move(idleTime);
}

} // namespace tz
