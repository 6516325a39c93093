#include "Foundation/Number.h"
#include "Foundation/String.h"

#include "support/TzMetaTypes.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_Number : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedTypeAndClassName_data();
    void storedTypeAndClassName();
    void conversions();
    void equalityAcrossTypes_data();
    void equalityAcrossTypes();
    void booleansAreShared();
};

void tst_Number::storedTypeAndClassName_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::newRow("bool") << 0 << u"NSBoolean"_s << u"1"_s;
    QTest::newRow("int32") << 1 << u"NSNumber"_s << u"-7"_s;
    QTest::newRow("int64") << 2 << u"NSNumber"_s << u"9000000000"_s;
    QTest::newRow("uint64") << 4 << u"NSNumber"_s << u"18446744073709551615"_s;
    QTest::newRow("double") << 6 << u"NSNumber"_s << u"0.1"_s;
}

void tst_Number::storedTypeAndClassName()
{
    QFETCH(int, index);
    QFETCH(QString, className);
    QFETCH(QString, text);
    const Number::Storage values[] = {true,
                                      std::int32_t(-7),
                                      std::int64_t(9000000000),
                                      std::uint32_t(1),
                                      std::numeric_limits<std::uint64_t>::max(),
                                      1.5f,
                                      0.1};
    const auto n = Number::make(values[index]);
    QCOMPARE(int(n->type()), index);
    QCOMPARE(n->className(), className);
    QCOMPARE(n->description(), text);
}

void tst_Number::conversions()
{
    const auto big = Number::make(1e300);
    QCOMPARE(*big->intValue(), std::numeric_limits<std::int32_t>::max());
    QCOMPARE(*Number::make(-1.0)->unsignedIntValue(), 0u);
    QCOMPARE(*Number::make(std::nan(""))->longLongValue(), 0);
    QCOMPARE(*Number::make(std::int32_t(-1))->unsignedLongLongValue(), std::numeric_limits<std::uint64_t>::max());
    QCOMPARE(*Number::make(std::int32_t(0))->boolValue(), false);
    QCOMPARE(*Number::make(0.25)->boolValue(), true);
}

void tst_Number::equalityAcrossTypes_data()
{
    QTest::addColumn<Id>("a");
    QTest::addColumn<Id>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("int32 = double") << num(std::int32_t(3)) << num(3.0) << true;
    QTest::newRow("true = 1") << boolean(true) << num(std::int32_t(1)) << true;
    QTest::newRow("-1 != uint64 max") << num(std::int64_t(-1)) << num(std::numeric_limits<std::uint64_t>::max())
                                      << false;
    QTest::newRow("number != string") << num(std::int32_t(1)) << str(u"1"_s) << false;
}

void tst_Number::equalityAcrossTypes()
{
    QFETCH(Id, a);
    QFETCH(Id, b);
    QFETCH(bool, equal);
    QCOMPARE(isEqual(a, b), equal);
    QCOMPARE(isEqual(b, a), equal);
    if (equal)
        QCOMPARE(a->hash(), b->hash());
}

void tst_Number::booleansAreShared()
{
    QCOMPARE(Number::make(true), Number::yes());
    QCOMPARE(Number::make(false), Number::no());
    QVERIFY(Number::yes() != Number::no());
}

QTEST_APPLESS_MAIN(tst_Number)
#include "tst_Number.moc"
