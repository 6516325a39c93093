#include "Functions/EventSystemIdleTime.h"

#include <QGuiApplication>
#include <QTest>

using namespace tz;

class tst_EventSystemIdleTime : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void backgroundTimeCountsAFifthAndRestarts();
    void activeUsesIdleTime();
    void followsActivationState();

private:
    double _now = 1000;
    double _idle = 0;
};

void tst_EventSystemIdleTime::init()
{
    _now = 1000;
    _idle = 0;
    Event::setClockForTesting([this] { return Date::make(_now); });
    Event::setIdleTimeForTesting([this] { return _idle; });
    Event::handleDidBecomeActiveNotice();
}

void tst_EventSystemIdleTime::backgroundTimeCountsAFifthAndRestarts()
{
    _idle = 1e6; // never read while in the background
    Event::handleDidResignActiveNotice();
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1000.0);
    _now = 1050;
    QVERIFY(Event::systemIdleOrBackgroundTimeGreaterThan(9)); // 50 / 5 = 10
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1050.0);
    QVERIFY(!Event::systemIdleOrBackgroundTimeGreaterThan(9));
    _now = 1095; // 45 / 5 = 9 is not greater, and the clock keeps running
    QVERIFY(!Event::systemIdleOrBackgroundTimeGreaterThan(9));
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1050.0);
    _now = 1096;
    QVERIFY(Event::systemIdleOrBackgroundTimeGreaterThan(9));
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1096.0);
}

void tst_EventSystemIdleTime::activeUsesIdleTime()
{
    _idle = 12;
    QVERIFY(Event::systemIdleOrBackgroundTimeGreaterThan(9));
    QVERIFY(!Event::systemIdleOrBackgroundTimeGreaterThan(12));
    QVERIFY(!Event::resignedDate());
    _idle = 0;
    QVERIFY(Event::systemIdleOrBackgroundTimeGreaterThan(-1));
    QVERIFY(!Event::systemIdleOrBackgroundTimeGreaterThan(0));
}

void tst_EventSystemIdleTime::followsActivationState()
{
    Event::myInitialize();
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    Q_EMIT application->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(!Event::resignedDate());
    Q_EMIT application->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(Event::resignedDate());
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1000.0);
    // Going further into the background keeps the date of leaving the active state.
    _now = 1010;
    Q_EMIT application->applicationStateChanged(Qt::ApplicationHidden);
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1000.0);
    Q_EMIT application->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(!Event::resignedDate());
    Q_EMIT application->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(Event::resignedDate()->timeIntervalSince1970(), 1010.0);
}

QTEST_MAIN(tst_EventSystemIdleTime)
#include "tst_EventSystemIdleTime.moc"
