#include "Graphics/TzNSDateConvenience.h"

#include <QTest>

class TestDateConvenience : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nilGivesNil()
    {
        QVERIFY(!tz::dateWithDate(nullptr));
        QVERIFY(!tz::calendarDateWithDate(nullptr));
        QVERIFY(!tz::asCalendarDate(nullptr));
    }

    void sameInstantNewObject()
    {
        const auto date = tz::Date::make(1196787780.25);
        const auto copy = tz::dateWithDate(date);
        QVERIFY(copy && copy != date);
        QVERIFY(!std::dynamic_pointer_cast<const tz::CalendarDate>(copy));
        QCOMPARE(copy->timeIntervalSince1970(), 1196787780.25);

        const tz::CalendarDatePtr calendar = tz::asCalendarDate(date);
        QVERIFY(calendar);
        QCOMPARE(calendar->timeIntervalSince1970(), 1196787780.25);
        QCOMPARE(calendar->timeZone(), QTimeZone::systemTimeZone());
        QVERIFY(calendar->isEqual(*date));
    }

    void calendarDateIsItsOwnCalendarDate()
    {
        const tz::CalendarDatePtr tokyo = tz::CalendarDate::make(0, QTimeZone("Asia/Tokyo"));
        QCOMPARE(tz::asCalendarDate(tokyo), tokyo);
        // A plain copy of a calendar date is a plain date.
        const auto plain = tz::dateWithDate(tokyo);
        QVERIFY(!std::dynamic_pointer_cast<const tz::CalendarDate>(plain));
        QCOMPARE(plain->timeIntervalSince1970(), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestDateConvenience)
#include "tst_TzNSDateConvenience.moc"
