#include "Foundation/MutableArray.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSUserDefaults/TzNSUserDefaultsAdditions.h"
#include "support/StdErrCapture.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzNSUserDefaultsAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void kindOfClass_data();
    void kindOfClass();
    void wrongKindLogsBothClasses();
    void shortcutsActOnTheStandardDefaults();

private:
    QTemporaryDir _config;
};

void tst_TzNSUserDefaultsAdditions::initTestCase()
{
    QVERIFY(_config.isValid());
    QSettings::setPath(UserDefaults::settingsFormat(), QSettings::UserScope, _config.path());
    QCoreApplication::setOrganizationName(u"tzkit-tests"_s);
    QCoreApplication::setApplicationName(u"tst_TzNSUserDefaultsAdditions"_s);
    QVERIFY(defaults::setObjectForKey(num(5), u"number"_s));
    QVERIFY(defaults::setObjectForKey(boolean(false), u"flag"_s));
    QVERIFY(defaults::setObjectForKey(str(u"text"_s), u"text"_s));
}

void tst_TzNSUserDefaultsAdditions::kindOfClass_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("logLines");
    QTest::newRow("string") << u"NSString"_s << u"text"_s << true << 0;
    QTest::newRow("number") << u"NSNumber"_s << u"number"_s << true << 0;
    QTest::newRow("a boolean is a number") << u"NSNumber"_s << u"flag"_s << true << 0;
    QTest::newRow("anything is an object") << u"NSObject"_s << u"text"_s << true << 0;
    QTest::newRow("number asked as string") << u"NSString"_s << u"number"_s << false << 1;
    QTest::newRow("missing key, silently") << u"NSString"_s << u"absent"_s << false << 0;
}

void tst_TzNSUserDefaultsAdditions::kindOfClass()
{
    QFETCH(QString, className);
    QFETCH(QString, key);
    StdErrCapture capture;
    QTEST(bool(defaults::kindOfClassForKey(className, key)), "found");
    QTEST(capture.lineCount(), "logLines");
}

void tst_TzNSUserDefaultsAdditions::wrongKindLogsBothClasses()
{
    StdErrCapture capture;
    QVERIFY(!defaults::kindOfClassForKey(u"NSString"_s, u"number"_s));
    const QString text = QString::fromUtf8(capture.text());
    static const QRegularExpression line(
        uR"( "TzNSUserDefaultsAdditions\.cpp",#\d+ \(\+\[NSUserDefaults\(TzNSUserDefaultsAdditions\) kindOfClass:forKey:\]\) result is NSNumber, expecting: NSString\n$)"_s);
    QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
    QVERIFY(isKindOfClass(MutableArray::make(), u"NSArray"_s));
    QVERIFY(!isKindOfClass(str(u"1"_s), u"NSNumber"_s));
}

void tst_TzNSUserDefaultsAdditions::shortcutsActOnTheStandardDefaults()
{
    QVERIFY(defaults::objectForKey(u"number"_s));
    defaults::registerDefaults(Dictionary::make({{u"fallback"_s, num(1)}}));
    QCOMPARE(defaults::objectForKey(u"fallback"_s)->intValue(), 1);
    QVERIFY(defaults::setObjectForKey(Id(), u"text"_s));
    QVERIFY(!defaults::objectForKey(u"text"_s));
    defaults::removeObjectForKey(u"flag"_s);
    QVERIFY(defaults::synchronize());
    const auto stored = defaults::persistentDomainForName(QCoreApplication::applicationName());
    QVERIFY(stored);
    QCOMPARE(stored->count(), 1); // number; the registered fallback is not stored
    defaults::removePersistentDomainForName(QCoreApplication::applicationName());
    QVERIFY(!defaults::objectForKey(u"number"_s));
}

QTEST_GUILESS_MAIN(tst_TzNSUserDefaultsAdditions)
#include "tst_TzNSUserDefaultsAdditions.moc"
