#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorAfterDelay.h"

#include "Foundation/LogLine.h"

#include <QThread>
#include <QTimer>

#include <chrono>
#include <cmath>

namespace tz {

namespace {

// Marks the timers that carry delayed messages among a target's children.
constexpr char delayedMessageProperty[] = "tzDelayedMessage";

bool takesShape(const QMetaMethod& method, int argumentCount)
{
    if (!method.isValid() || method.parameterCount() != argumentCount)
        return false;
    return argumentCount == 0 || method.parameterMetaType(0) == QMetaType::fromType<Id>();
}

std::chrono::milliseconds delayOf(double seconds)
{
    if (!(seconds > 0)) // also NaN
        return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(qint64(std::ceil(std::min(seconds, 1e9) * 1000)));
}

} // namespace

bool performSelectorWithObjectAfterDelay(QObject* target, Selector selector, const Id& argument, double delay)
{
    if (!target || !selector || target->thread() != QThread::currentThread())
        return false;
    const QMetaMethod method = methodForSelector(target->metaObject(), selector);
    const int argumentCount = selector.argumentCount();
    if (argumentCount > 1 || !takesShape(method, argumentCount)) {
        TZ_LOG_LINE("-[NSObject performSelector:withObject:afterDelay:]", "BAD METHOD SIGNATURE FOR [%@ %@]",
                    classNameOf(target), selector.name());
        return false;
    }
    auto* timer = new QTimer(target);
    timer->setSingleShot(true);
    timer->setProperty(delayedMessageProperty, true);
    QObject::connect(timer, &QTimer::timeout, target, [timer, target, method, argument, argumentCount] {
        // Out of the target's children first, so that the message may end the target.
        timer->setParent(nullptr);
        timer->deleteLater();
        Id copy = argument;
        if (argumentCount == 0)
            (void)invokeRaw(target, method, nullptr, {});
        else
            (void)invokeRaw(target, method, nullptr, {&copy});
    });
    timer->start(delayOf(delay));
    return true;
}

void cancelPreviousPerformRequestsWithTarget(QObject* target)
{
    if (!target)
        return;
    const QList<QTimer*> timers = target->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    for (QTimer* timer : timers) {
        if (timer->property(delayedMessageProperty).toBool() && timer->thread() == QThread::currentThread())
            delete timer;
    }
}

} // namespace tz
