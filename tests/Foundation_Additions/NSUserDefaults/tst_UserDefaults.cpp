#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Null.h"
#include "Foundation/Number.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSUserDefaults/UserDefaults.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace tz;
using namespace Qt::StringLiterals;

namespace {

const QStringList sampleKeys{u"text"_s,  u"count"_s, u"ratio"_s, u"flag"_s,
                             u"bytes"_s, u"when"_s,  u"list"_s,  u"table"_s};

// Each key's kind and text, one per line, as a later run of the program reads them.
QString describeStandardDefaults()
{
    QString text;
    for (const QString& key : sampleKeys) {
        const Id value = UserDefaults::standardUserDefaults().objectForKey(key);
        text += key + u' ' + (value ? value->className() + u' ' + value->description().simplified() : u"nil"_s) + u'\n';
    }
    return text;
}

} // namespace

class tst_UserDefaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void kindsSurviveARestart();
    void registeredDefaultsAreAFallback();
    void settingNothingRemoves();
    void persistentDomains();

private:
    QTemporaryDir _config;
};

void tst_UserDefaults::initTestCase()
{
    QVERIFY(_config.isValid());
    QSettings::setPath(UserDefaults::settingsFormat(), QSettings::UserScope, _config.path());
}

void tst_UserDefaults::kindsSurviveARestart()
{
    auto& defaults = UserDefaults::standardUserDefaults();
    QVERIFY(defaults.setObjectForKey(str(u"drive"_s), u"text"_s));
    QVERIFY(defaults.setObjectForKey(num(42), u"count"_s));
    QVERIFY(defaults.setObjectForKey(num(2.5), u"ratio"_s));
    QVERIFY(defaults.setObjectForKey(boolean(true), u"flag"_s));
    QVERIFY(defaults.setObjectForKey(Data::make(QByteArray("\x01\x02", 2)), u"bytes"_s));
    QVERIFY(defaults.setObjectForKey(Date::make(1000000000.0), u"when"_s));
    QVERIFY(defaults.setObjectForKey(Array::make({str(u"a"_s), num(1)}), u"list"_s));
    QVERIFY(defaults.setObjectForKey(Dictionary::make({{u"k"_s, str(u"v"_s)}}), u"table"_s));
    QVERIFY(!defaults.setObjectForKey(Null::null(), u"placeholder"_s)); // no property-list form
    QVERIFY(!defaults.objectForKey(u"placeholder"_s));
    QVERIFY(defaults.synchronize());

    const QString here = describeStandardDefaults();
    QCOMPARE(here.count(u" nil\n"_s), 0);
    QProcess later;
    later.start(QCoreApplication::applicationFilePath(), {u"--print-defaults"_s, _config.path()});
    QVERIFY(later.waitForFinished(30000));
    QCOMPARE(later.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(later.readAllStandardOutput()), here);
    QVERIFY(here.contains(u"count NSNumber 42\n"_s));
    QVERIFY(here.contains(u"flag NSBoolean 1\n"_s));
    QVERIFY(here.contains(u"when NSDate "_s));
    QVERIFY(here.contains(u"bytes NSData "_s));
}

void tst_UserDefaults::registeredDefaultsAreAFallback()
{
    UserDefaults defaults(u"fallback"_s);
    defaults.registerDefaults(Dictionary::make({{u"size"_s, num(10)}, {u"name"_s, str(u"registered"_s)}}));
    QVERIFY(defaults.setObjectForKey(str(u"stored"_s), u"name"_s));
    QCOMPARE(textOf(defaults.objectForKey(u"name"_s)), u"stored"_s);
    QCOMPARE(defaults.objectForKey(u"size"_s)->intValue(), 10);
    defaults.removeObjectForKey(u"name"_s);
    QCOMPARE(textOf(defaults.objectForKey(u"name"_s)), u"registered"_s);
    QVERIFY(defaults.synchronize());
    // Registered values are never written.
    QVERIFY(!UserDefaults::persistentDomainForName(u"fallback"_s)
            || !UserDefaults::persistentDomainForName(u"fallback"_s)->containsKey(str(u"size"_s)));
}

void tst_UserDefaults::settingNothingRemoves()
{
    UserDefaults defaults(u"removal"_s);
    QVERIFY(defaults.setObjectForKey(num(1), u"key"_s));
    QVERIFY(defaults.objectForKey(u"key"_s));
    QVERIFY(defaults.setObjectForKey(Id(), u"key"_s));
    QVERIFY(!defaults.objectForKey(u"key"_s));
    QVERIFY(!defaults.setObjectForKey(num(1), QString()));
}

void tst_UserDefaults::persistentDomains()
{
    QVERIFY(!UserDefaults::persistentDomainForName(u"neverWritten"_s));
    {
        UserDefaults other(u"otherTool"_s);
        QVERIFY(other.setObjectForKey(str(u"x"_s), u"a"_s));
        QVERIFY(other.setObjectForKey(num(3), u"b"_s));
        QVERIFY(other.synchronize());
    }
    const QString file = _config.filePath(QCoreApplication::organizationName() + u"/otherTool.plist"_s);
    QVERIFY2(QFile::exists(file), qPrintable(file));
    // The file is a property list of its own.
    QVERIFY(isEqual(propertyList::readFile(file), Dictionary::make({{u"a"_s, str(u"x"_s)}, {u"b"_s, num(3)}})));
    const auto domain = UserDefaults::persistentDomainForName(u"otherTool"_s);
    QVERIFY(domain);
    QCOMPARE(domain->count(), 2);
    QCOMPARE(textOf(domain->objectForKey(u"a"_s)), u"x"_s);
    UserDefaults::removePersistentDomainForName(u"otherTool"_s);
    QVERIFY(!QFile::exists(file));
    QVERIFY(!UserDefaults::persistentDomainForName(u"otherTool"_s));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"tzkit-tests"_s);
    QCoreApplication::setApplicationName(u"tst_UserDefaults"_s);
    if (argc == 3 && qstrcmp(argv[1], "--print-defaults") == 0) {
        QSettings::setPath(UserDefaults::settingsFormat(), QSettings::UserScope, QString::fromLocal8Bit(argv[2]));
        std::fputs(describeStandardDefaults().toUtf8().constData(), stdout);
        return 0;
    }
    tst_UserDefaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_UserDefaults.moc"
