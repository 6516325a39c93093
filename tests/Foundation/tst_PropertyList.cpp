#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/Number.h"
#include "Foundation/PropertyList.h"
#include "Foundation/PropertyListLimits.h"
#include "Foundation/String.h"
#include "support/BinaryPlist.h"
#include "support/StdErrCapture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tz;
using namespace testplist;
using namespace Qt::StringLiterals;

class tst_PropertyList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void readsXmlInFileOrder();
    void rejectsGarbage_data();
    void rejectsGarbage();
    void writeFileIsAtomic();
    void hostileListsAreRefused_data();
    void hostileListsAreRefused();
    void listsAtTheLimitsAreRead_data();
    void listsAtTheLimitsAreRead();
    void shortWriteKeepsEarlierFile_data();
    void shortWriteKeepsEarlierFile();
    void stringsRoundTripOrAreRefused_data();
    void stringsRoundTripOrAreRefused();
    void binaryDatesRoundTrip_data();
    void binaryDatesRoundTrip();
};

namespace {

// Whole seconds: the XML form keeps dates to the second.
Id sample()
{
    return Dictionary::make({
        {u"name"_s, str(u"Drive \u00e9"_s)},
        {u"count"_s, num(std::int64_t(-42))},
        {u"ratio"_s, num(2.5)},
        {u"ok"_s, boolean(true)},
        {u"blob"_s, Data::make(QByteArray("\x00\x01\xff", 3))},
        {u"when"_s, Date::make(Date::referenceDateOffset + 86400.0)},
        {u"list"_s, Array::make({str(u"a"_s), Dictionary::make()})},
    });
}

int nesting(const Id& object)
{
    int levels = 0;
    for (auto a = cast<Array>(object); a && a->count() > 0; a = cast<Array>(a->objectAtIndex(0)))
        ++levels;
    return levels;
}

// Runs body in a child process and answers its exit status (-1 when it did not exit).
template <typename Body>
int inChild(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void tst_PropertyList::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("xml") << int(propertyList::Format::Xml);
    QTest::newRow("binary") << int(propertyList::Format::Binary);
}

void tst_PropertyList::roundTrip()
{
    QFETCH(int, format);
    const Id original = sample();
    const QByteArray bytes = propertyList::toData(original, propertyList::Format(format));
    QVERIFY(!bytes.isEmpty());
    const Id back = propertyList::fromData(bytes);
    QVERIFY2(isEqual(original, back), qPrintable(describe(back)));
    QVERIFY(as<Number>(as<Dictionary>(back)->objectForKey(u"ok"_s))->isBoolean());
}

void tst_PropertyList::readsXmlInFileOrder()
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict><key>b</key><integer>2</integer><key>a</key><string>x</string></dict></plist>)";
    const auto d = cast<Dictionary>(propertyList::fromData(xml));
    QVERIFY(d);
    QCOMPARE(textOf(d->allKeys().at(0)), u"b"_s);
    QCOMPARE(textOf(d->allKeys().at(1)), u"a"_s);
}

void tst_PropertyList::rejectsGarbage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a property list at all");
    QTest::newRow("truncated binary") << propertyList::toData(sample(), propertyList::Format::Binary).left(40);
    QTest::newRow("unclosed xml") << QByteArray("<?xml version=\"1.0\"?><plist><array><string>a");
}

void tst_PropertyList::rejectsGarbage()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!propertyList::fromData(bytes));
}

void tst_PropertyList::writeFileIsAtomic()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.plist"_s);
    QVERIFY(propertyList::writeFile(sample(), path));
    QVERIFY(isEqual(propertyList::readFile(path), sample()));
    // An object a property list cannot hold leaves the earlier file as it was.
    QVERIFY(!propertyList::writeFile(Dictionary::make({{num(1), num(2)}}), path));
    QVERIFY(isEqual(propertyList::readFile(path), sample()));
    QVERIFY(!propertyList::readFile(dir.filePath(u"missing"_s)));
}

void tst_PropertyList::hostileListsAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // These overflowed libplist's stack (parsing, freeing) or grew without bound.
    QTest::newRow("binary 100000 levels") << deepBinary(100000);
    QTest::newRow("xml 1000000 levels") << deepXml(1000000);
    QTest::newRow("binary references doubling 40 times") << doublingChain(40);
    QTest::newRow("binary doubling 17 times, 300 bytes") << doublingChain(17);
    QTest::newRow("binary one level too deep") << deepBinary(propertyList::maxDepth + 1);
    QTest::newRow("xml one level too deep") << deepXml(propertyList::maxDepth + 1);
    QTest::newRow("binary cycle") << binaryList({arrayOf({1}), arrayOf({0})});
    QTest::newRow("binary self reference") << binaryList({arrayOf({0})});
    QTest::newRow("binary reference past the table") << binaryList({arrayOf({7})});
    QTest::newRow("binary top past the table") << binaryList({arrayOf({})}, 3);
    QTest::newRow("binary references past the end") << binaryList({marker(0xa, 1u << 30)});
    QTest::newRow("binary string past the end") << binaryList({marker(0x5, 1000)});
    const QByteArray megabyte = marker(0x4, 1 << 20) + QByteArray(1 << 20, 'x');
    QList<quint64> hundredRefs(100, 1);
    QTest::newRow("binary 1 MB data held 100 times") << binaryList({arrayOf(hundredRefs), megabyte});
    // libplist aborts on a dictionary key holding a NUL.
    const QByteArray dictOneEntry = marker(0xd, 1) + QByteArray::fromHex("0000000100000002");
    QTest::newRow("binary key holding NUL")
        << binaryList({dictOneEntry, marker(0x5, 3) + QByteArray("a\0b", 3), marker(0x5, 1) + "v"});
    QTest::newRow("binary UTF-16 key holding NUL")
        << binaryList({dictOneEntry, marker(0x6, 2) + QByteArray("\0a\0\0", 4), marker(0x5, 1) + "v"});
    QTest::newRow("binary key not a string")
        << binaryList({dictOneEntry, QByteArray::fromHex("1005"), marker(0x5, 1) + "v"});
    const QByteArray xmlHead("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>");
    QTest::newRow("xml key referring to U+0000") << xmlHead + "a&#0;b</key><string>v</string></dict></plist>";
    QTest::newRow("xml key referring to U+0000 in hex") << xmlHead + "a&#x000;</key><string>v</string></dict></plist>";
    QTest::newRow("xml key with a NUL byte")
        << xmlHead + QByteArray("a\0b", 3) + "</key><string>v</string></dict></plist>";
    QByteArray brokenTrailer = deepBinary(3);
    brokenTrailer[brokenTrailer.size() - 26] = 0; // offset size 0
    QTest::newRow("binary offset size 0") << brokenTrailer;
}

void tst_PropertyList::hostileListsAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!propertyList::withinLimits(bytes));
    QVERIFY(!propertyList::fromData(bytes));
}

void tst_PropertyList::listsAtTheLimitsAreRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("levels");
    QTest::newRow("binary at the depth limit") << deepBinary(propertyList::maxDepth) << propertyList::maxDepth;
    QTest::newRow("xml at the depth limit") << deepXml(propertyList::maxDepth) << propertyList::maxDepth;
    QTest::newRow("binary doubling 12 times") << doublingChain(12) << 12;
    QTest::newRow("xml references that are not U+0000") << QByteArray(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>&#10;&#x30;&amp;#0;</string></array></plist>")
                                                        << 1;
    QTest::newRow("xml with markup in comments and CDATA")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE plist [ <!-- > --> ]><plist version='1.0'><array><!-- "
                      + QByteArray("<array>").repeated(2000) + " --><array><string><![CDATA["
                      + QByteArray("<array>").repeated(2000) + "]]></string></array></array></plist>")
        << 2;
}

void tst_PropertyList::listsAtTheLimitsAreRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, levels);
    QVERIFY(propertyList::withinLimits(bytes));
    const Id object = propertyList::fromData(bytes);
    QVERIFY(object);
    QCOMPARE(nesting(object), levels);
}

void tst_PropertyList::shortWriteKeepsEarlierFile_data()
{
    roundTrip_data();
}

// A file size limit cuts the write short, as a full disk does.
void tst_PropertyList::shortWriteKeepsEarlierFile()
{
    QFETCH(int, format);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.plist"_s);
    QVERIFY(propertyList::writeFile(sample(), path));
    const QByteArray before = contents(path);
    QList<Id> many;
    for (int i = 0; i < 2000; ++i)
        many.append(str(u"a longer string, number %1"_s.arg(i)));
    const Id big = Array::make(many);

    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return propertyList::writeFile(big, path, propertyList::Format(format)) ? 0 : 1;
    });
    QCOMPARE(status, 1);
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"out.plist"_s});
    // Without the limit the same write succeeds.
    QVERIFY(propertyList::writeFile(big, path, propertyList::Format(format)));
    QVERIFY(isEqual(propertyList::readFile(path), big));
}

void tst_PropertyList::stringsRoundTripOrAreRefused_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("asKey");
    QTest::addColumn<bool>("writable");
    const struct
    {
        const char* name;
        QString text;
        bool writable;
    } strings[] = {
        {"U+0000 inside", u"A"_s + QChar(0) + u"B"_s, false},
        {"U+0000 alone", QString(QChar(0)), false},
        {"lone high surrogate", u"A"_s + QChar(0xd800) + u"B"_s, false},
        {"lone low surrogate", u"A"_s + QChar(0xdc00), false},
        {"high surrogate at the end", u"A"_s + QChar(0xd83d), false},
        {"swapped pair", QString(QChar(0xde00)) + QChar(0xd83d), false},
        {"U+FFFF", u"A"_s + QChar(0xffff) + u"B"_s, true},
        {"surrogate pair", u"A😀B"_s, true},
        {"control characters", u"\u0001\t\u001f"_s, true},
    };
    for (const auto& [name, text, writable] : strings) {
        for (const bool asKey : {false, true}) {
            QTest::addRow("%s %s xml", name, asKey ? "key" : "value")
                << int(propertyList::Format::Xml) << text << asKey << writable;
            QTest::addRow("%s %s binary", name, asKey ? "key" : "value")
                << int(propertyList::Format::Binary) << text << asKey << writable;
        }
    }
}

// A string is written whole or not at all: never shortened, never with a replacement character.
void tst_PropertyList::stringsRoundTripOrAreRefused()
{
    QFETCH(int, format);
    QFETCH(QString, text);
    QFETCH(bool, asKey);
    QFETCH(bool, writable);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strings.plist"_s);
    QVERIFY(propertyList::writeFile(sample(), path));
    const QByteArray before = contents(path);
    const Id object = asKey ? Dictionary::make({{text, str(u"value"_s)}}) : Dictionary::make({{u"key"_s, str(text)}});

    StdErrCapture capture;
    const bool written = propertyList::writeFile(object, path, propertyList::Format(format));
    QCOMPARE(written, writable);
    if (writable) {
        QCOMPARE(capture.lineCount(), 0);
        const Id back = propertyList::readFile(path);
        QVERIFY2(isEqual(back, object), qPrintable(describe(back)));
    } else {
        QCOMPARE(capture.lineCount(), 1);
        QVERIFY(capture.text().contains("refusing to write a string holding U+0000 or a lone surrogate"));
        QCOMPARE(contents(path), before);
        QVERIFY(propertyList::toData(object, propertyList::Format(format)).isNull());
    }
}

void tst_PropertyList::binaryDatesRoundTrip_data()
{
    QTest::addColumn<double>("since"); // seconds since the reference date
    QTest::newRow("a day and a half second before") << -86400.5;
    QTest::newRow("a second and a quarter before") << -1.25;
    QTest::newRow("whole seconds before") << -2.0;
    QTest::newRow("half a second after") << 0.5;
    QTest::newRow("a microsecond short of a second") << 5.999999;
    QTest::newRow("rounds up to the next second") << 5.9999996;
    QTest::newRow("far after") << 1e9 + 0.25;
}

// Dates before the reference date keep the direction of their fraction both ways; libplist
// keeps the microseconds of a binary date only to within a few.
void tst_PropertyList::binaryDatesRoundTrip()
{
    QFETCH(double, since);
    const Id original = Array::make({Date::make(Date::referenceDateOffset + since)});
    const Id once = propertyList::fromData(propertyList::toData(original, propertyList::Format::Binary));
    const auto* date = as<Date>(as<Array>(once) ? as<Array>(once)->objectAtIndex(0) : Id());
    QVERIFY(date);
    QVERIFY2(std::fabs(date->timeIntervalSinceReferenceDate() - since) < 5e-6,
             qPrintable(QString::number(date->timeIntervalSinceReferenceDate(), 'f', 7)));
}

QTEST_APPLESS_MAIN(tst_PropertyList)
#include "tst_PropertyList.moc"
