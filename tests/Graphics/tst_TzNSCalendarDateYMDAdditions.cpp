#include "Graphics/TzNSCalendarDateYMDAdditions.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestYMDAdditions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void representation_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("ymd");
        const QTimeZone utc = QTimeZone::utc();
        QTest::newRow("padded month and day")
            << QDateTime(QDate(2007, 3, 5), QTime(12, 0), utc) << u"UTC"_s << u"2007-03-05"_s;
        QTest::newRow("two-digit month and day")
            << QDateTime(QDate(2026, 12, 4), QTime(12, 0), utc) << u"UTC"_s << u"2026-12-04"_s;
        QTest::newRow("the date's own zone, not UTC")
            << QDateTime(QDate(2026, 12, 4), QTime(23, 30), utc) << u"Asia/Tokyo"_s << u"2026-12-05"_s;
        QTest::newRow("four-digit year") << QDateTime(QDate(812, 1, 2), QTime(12, 0), utc) << u"UTC"_s
                                         << u"0812-01-02"_s;
    }
    void representation()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, zone);
        QFETCH(QString, ymd);
        const auto date = tz::CalendarDate::make(double(moment.toMSecsSinceEpoch()) / 1000.0, QTimeZone(zone.toUtf8()));
        QCOMPARE(tz::YMDRepresentation(*date), ymd);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("parses");
        QTest::newRow("well formed") << u"2026-12-04"_s << true;
        QTest::newRow("leap day") << u"2024-02-29"_s << true;
        QTest::newRow("day of daylight-saving start") << u"2026-03-08"_s << true;
        QTest::newRow("letters") << u"2026-ab-04"_s << false;
        QTest::newRow("words") << u"yesterday"_s << false;
        QTest::newRow("missing day") << u"2026-12"_s << false;
        QTest::newRow("missing parts") << u"2026--04"_s << false;
        QTest::newRow("month 13") << u"2026-13-01"_s << false;
        QTest::newRow("month 0") << u"2026-00-10"_s << false;
        QTest::newRow("day 32") << u"2026-01-32"_s << false;
        QTest::newRow("no leap day") << u"2026-02-29"_s << false;
        QTest::newRow("one-digit month") << u"2026-1-04"_s << false;
        QTest::newRow("trailing text") << u"2026-12-04x"_s << false;
        QTest::newRow("leading blank") << u" 2026-12-04"_s << false;
        QTest::newRow("sign") << u"+026-12-04"_s << false;
        QTest::newRow("other digits") << u"\u0662\u0660\u0662\u0666-12-04"_s << false;
        QTest::newRow("slashes") << u"2026/12/04"_s << false;
        QTest::newRow("empty") << u""_s << false;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, parses);
        const tz::CalendarDatePtr date = tz::dateWithYMDString(text);
        QCOMPARE(bool(date), parses);
        if (date) {
            QCOMPARE(tz::YMDRepresentation(*date), text);
            QCOMPARE(date->zonedDateTime().time(), QTime(0, 0));
            QCOMPARE(date->timeZone(), QTimeZone::systemTimeZone());
        }
    }
};

QTEST_GUILESS_MAIN(TestYMDAdditions)
#include "tst_TzNSCalendarDateYMDAdditions.moc"
