#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/Number.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tz;
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

QTEST_APPLESS_MAIN(tst_PropertyList)
#include "tst_PropertyList.moc"
