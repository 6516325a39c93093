#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/Null.h"
#include "Foundation/Number.h"
#include "Foundation/RangeValue.h"
#include "Foundation/Set.h"
#include "Foundation/String.h"
#include "support/TzMetaTypes.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_Collections : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dictionaryKeepsInsertionOrder();
    void dictionaryDropsNilAndRepeatedKeys();
    void dictionaryEqualityIgnoresOrder();
    void description_data();
    void description();
    void arrayAndSet();
};

void tst_Collections::dictionaryKeepsInsertionOrder()
{
    const auto d = Dictionary::make({{u"zeta"_s, num(1)}, {u"alpha"_s, num(2)}, {u"mid"_s, num(3)}});
    QStringList keys;
    for (const Id& k : d->allKeys())
        keys << textOf(k);
    QCOMPARE(keys, (QStringList{u"zeta"_s, u"alpha"_s, u"mid"_s}));
    QCOMPARE(d->objectForKey(u"alpha"_s)->description(), u"2"_s);
    QVERIFY(!d->objectForKey(u"missing"_s));
    QVERIFY(!d->objectForKey(Id()));
}

void tst_Collections::dictionaryDropsNilAndRepeatedKeys()
{
    const auto d =
        Dictionary::make({{str(u"a"_s), num(1)}, {Id(), num(2)}, {str(u"b"_s), Id()}, {str(u"a"_s), num(3)}});
    QCOMPARE(d->count(), 1);
    QCOMPARE(d->objectForKey(u"a"_s)->description(), u"3"_s);
}

void tst_Collections::dictionaryEqualityIgnoresOrder()
{
    const auto a = Dictionary::make({{u"x"_s, num(1)}, {u"y"_s, str(u"t"_s)}});
    const auto b = Dictionary::make({{u"y"_s, str(u"t"_s)}, {u"x"_s, num(1.0)}});
    const auto c = Dictionary::make({{u"y"_s, str(u"t"_s)}, {u"x"_s, num(2)}});
    QVERIFY(isEqual(a, b));
    QVERIFY(!isEqual(a, c));
    // Containers of Ids work as keys too.
    const auto outer = Dictionary::make({{a, str(u"found"_s)}});
    QCOMPARE(textOf(outer->objectForKey(Id(b))), u"found"_s);
}

void tst_Collections::description_data()
{
    QTest::addColumn<Id>("object");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty dictionary") << Id(Dictionary::make()) << u"{\n}"_s;
    QTest::newRow("nested")
        << Id(Dictionary::make({{u"Name"_s, str(u"DVD RW"_s)},
                                {u"caps"_s, Dictionary::make({{u"CD-R"_s, boolean(true)}})},
                                {u"list"_s, Array::make({num(1), str(u"two"_s)})}}))
        << u"{\n    Name = \"DVD RW\";\n    caps = {\n        CD-R = 1;\n    };\n    list = (\n        1,\n        two\n    );\n}"_s;
    QTest::newRow("quoting") << Id(Array::make({str(u""_s), str(u"a\"b\\c\nd"_s)}))
                             << u"(\n    \"\",\n    \"a\\\"b\\\\c\\nd\"\n)"_s;
    QTest::newRow("data") << Id(Data::make(QByteArray::fromHex("0102abcdef"))) << u"<0102abcd ef>"_s;
    QTest::newRow("date") << Id(Date::fromDateTime(QDateTime(QDate(2007, 3, 1), QTime(13, 5, 9), Qt::UTC)))
                          << u"2007-03-01 13:05:09 +0000"_s;
    QTest::newRow("null") << Id(Null::null()) << u"<null>"_s;
    QTest::newRow("range") << Id(RangeValue::make({3, 4})) << u"NSRange: {3, 4}"_s;
    QTest::newRow("set") << Id(Set::make({num(1), num(1), num(2)})) << u"{(\n    1,\n    2\n)}"_s;
}

void tst_Collections::description()
{
    QFETCH(Id, object);
    QFETCH(QString, text);
    QCOMPARE(object->description(), text);
}

void tst_Collections::arrayAndSet()
{
    const auto a = Array::make({str(u"a"_s), Id(), str(u"b"_s)});
    QCOMPARE(a->count(), 2);
    QVERIFY(!a->objectAtIndex(-1));
    QVERIFY(!a->objectAtIndex(2));
    QVERIFY(a->containsObject(str(u"b"_s)));
    const auto s = Set::make({str(u"x"_s), str(u"x"_s)});
    QCOMPARE(s->count(), 1);
    QVERIFY(s->containsObject(str(u"x"_s)));
    QVERIFY(!s->containsObject(Id()));
}

QTEST_APPLESS_MAIN(tst_Collections)
#include "tst_Collections.moc"
