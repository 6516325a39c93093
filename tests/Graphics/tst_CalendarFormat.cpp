#include "Graphics/CalendarDate.h"
#include "Graphics/CalendarFormat.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCalendarFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void specifiers_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        // Monday 2007-03-05 08:04:09.007 +0100 (Berlin, winter time).
        QTest::newRow("date") << u"%Y-%m-%d"_s << u"2007-03-05"_s;
        QTest::newRow("short year, padded day") << u"%y/%e/%j"_s << u"07/ 5/064"_s;
        QTest::newRow("time") << u"%H:%M:%S.%F"_s << u"08:04:09.007"_s;
        QTest::newRow("12-hour clock") << u"%I %p"_s << u"08 AM"_s;
        QTest::newRow("names") << u"%a %A %b %B %w"_s << u"Mon Monday Mar March 1"_s;
        QTest::newRow("zone") << u"%z %Z"_s << u"+0100 CET"_s;
        QTest::newRow("percent, unknown and trailing %") << u"100%% %q %"_s << u"100% %q %"_s;
        QTest::newRow("plain text") << u"no specifiers"_s << u"no specifiers"_s;
    }
    void specifiers()
    {
        QFETCH(QString, format);
        QFETCH(QString, text);
        const QDateTime moment(QDate(2007, 3, 5), QTime(8, 4, 9, 7), QTimeZone("Europe/Berlin"));
        QCOMPARE(tz::stringWithCalendarFormat(moment, format), text);
    }

    void twelveHourClockAtNoonAndMidnight()
    {
        const QTimeZone utc = QTimeZone::utc();
        QCOMPARE(tz::stringWithCalendarFormat(QDateTime(QDate(2026, 1, 1), QTime(0, 30), utc), u"%I %p"), u"12 AM"_s);
        QCOMPARE(tz::stringWithCalendarFormat(QDateTime(QDate(2026, 1, 1), QTime(12, 30), utc), u"%I %p"), u"12 PM"_s);
        QCOMPARE(tz::stringWithCalendarFormat(QDateTime(QDate(2026, 1, 1), QTime(17, 3), utc), u"%I:%M %p"),
                 u"05:03 PM"_s);
    }

    void invalidMomentIsNull() { QVERIFY(tz::stringWithCalendarFormat(QDateTime(), u"%Y %B").isNull()); }

    void calendarDateDescriptionInItsZone()
    {
        const double instant = 1196787780; // 2007-12-04 17:03:00 UTC
        QCOMPARE(tz::CalendarDate::make(instant, QTimeZone("Asia/Tokyo"))->description(),
                 u"2007-12-05 02:03:00 +0900"_s);
        QCOMPARE(tz::CalendarDate::make(instant)->description(), u"2007-12-04 18:03:00 +0100"_s);
        QCOMPARE(tz::CalendarDate::make(instant)->className(), u"NSCalendarDate"_s);
    }
};

QTEST_GUILESS_MAIN(TestCalendarFormat)
#include "tst_CalendarFormat.moc"
