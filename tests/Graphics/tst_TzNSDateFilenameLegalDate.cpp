#include "Graphics/TzNSDateFilenameLegalDate.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class TestFilenameLegalDate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_settingsDir.isValid());
        QCoreApplication::setOrganizationName(u"tzkit-tests"_s);
        QCoreApplication::setApplicationName(u"filename-legal-date"_s);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, _settingsDir.path());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void text_data()
    {
        QTest::addColumn<QVariant>("dateFormat"); // invalid: key absent
        QTest::addColumn<QVariant>("timeFormat");
        QTest::addColumn<QString>("text");
        const QVariant absent;
        // 2026-12-04 17:03:09 in Berlin; the locale's formats are "M/d/yy" and "h:mm AP".
        QTest::newRow("user formats") << QVariant(u"%m/%d/%y"_s) << QVariant(u"%I:%M %p"_s)
                                      << u"12\u221504\u221526, 05\u223603 PM"_s;
        QTest::newRow("separators next to each other")
            << QVariant(u"%d//%m"_s) << QVariant(u"%H::%M:%S"_s) << u"04\u2215\u221512, 17\u2236\u223603\u223609"_s;
        QTest::newRow("locale's short formats") << absent << absent << u"12\u22154\u221526, 5\u223603 PM"_s;
        QTest::newRow("empty user format: the locale's")
            << QVariant(u""_s) << QVariant(u"%H.%M"_s) << u"12\u22154\u221526, 17.03"_s;
    }
    void text()
    {
        QFETCH(QVariant, dateFormat);
        QFETCH(QVariant, timeFormat);
        QFETCH(QString, text);
        {
            QSettings settings;
            settings.clear();
            if (dateFormat.isValid())
                settings.setValue(u"NSShortDateFormatString"_s, dateFormat);
            if (timeFormat.isValid())
                settings.setValue(u"NSTimeFormatString"_s, timeFormat);
        }
        const auto date = tz::Date::make(1796400189); // 2026-12-04 16:03:09 UTC
        const QString result = tz::filenameLegalDateTime(*date);
        QCOMPARE(result, text);
        QVERIFY(!result.contains(u'/') && !result.contains(u':'));
    }

    void outOfRangeIsNull()
    {
        QVERIFY(tz::filenameLegalDateTime(tz::Date(std::numeric_limits<double>::quiet_NaN())).isNull());
    }

private:
    QTemporaryDir _settingsDir;
};

QTEST_GUILESS_MAIN(TestFilenameLegalDate)
#include "tst_TzNSDateFilenameLegalDate.moc"
