// Waits until every event posted to the main thread so far has been handled: queued calls run
// in the order they were posted, so one posted now runs after all of them.
#pragma once

#include <QCoreApplication>
#include <QTest>

namespace testsupport {

// True once a queued call posted now has run; false after the timeout.
[[nodiscard]] inline bool handlePostedEvents(int timeoutMs = 5000)
{
    bool ran = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&ran] { ran = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&ran] { return ran; }, timeoutMs);
}

} // namespace testsupport
