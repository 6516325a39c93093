#include "Foundation_Additions/NSData/TzPreTigerHash.h"

#include "Foundation/Number.h"
#include "Foundation/String.h"

#include <QTest>

#include <limits>

using namespace tz;

class tst_TzPreTigerHash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bytes()
    {
        QCOMPARE(preTigerHash(QByteArray()), 0u);
        QCOMPARE(preTigerHash(QByteArray("abc")), 26499u);
        QCOMPARE(TzCFHashBytes("abc", 3), 0x6783u);
        // The ELF hash folds high bits: stays below 2^28 on long input.
        const QByteArray high(1000, char(0xFF));
        QVERIFY(TzCFHashBytes(high.constData(), std::size_t(high.size())) < (1u << 28));
        QCOMPARE(preTigerHash(QByteArray(16, 'x') + "tail one"), preTigerHash(QByteArray(16, 'x') + "tail two"));
        QVERIFY(preTigerHash(QByteArray(15, 'x') + "a") != preTigerHash(QByteArray(15, 'x') + "b"));
    }

    void strings()
    {
        QCOMPARE(tzPreTigerHash(QString()), 0u);
        QCOMPARE(tzPreTigerHash(QStringLiteral("abc")), 516202353u);
        QCOMPARE(tzPreTigerHash(QStringLiteral("a")), 1062u);
        // 17 units: index 8 is the one unit that does not count.
        QCOMPARE(tzPreTigerHash(QStringLiteral("abcdefghXijklmnop")),
                 tzPreTigerHash(QStringLiteral("abcdefghYijklmnop")));
        QVERIFY(tzPreTigerHash(QStringLiteral("abcdefgXijklmnop"))
                != tzPreTigerHash(QStringLiteral("abcdefgYijklmnop")));
        // Code units, not bytes: a non-Latin-1 unit counts at its full value.
        QCOMPARE(tzPreTigerHash(QStringLiteral("\u20ac")), (1u * 257 + 0x20AC) * 3);
    }

    void numbers_data()
    {
        QTest::addColumn<Id>("number");
        QTest::addColumn<quint32>("hash");
        QTest::newRow("int 5") << num(std::int32_t(5)) << 5u;
        QTest::newRow("int -5") << num(std::int32_t(-5)) << 5u;
        QTest::newRow("int min") << num(std::numeric_limits<std::int32_t>::min()) << 0x80000000u;
        QTest::newRow("int64 5") << num(std::int64_t(5)) << 5u;
        QTest::newRow("double 5") << num(5.0) << 5u;
        QTest::newRow("float 2.5") << num(2.5f) << 2147483649u;
        QTest::newRow("double 2.5") << num(2.5) << 2147483649u;
        QTest::newRow("double 0.5") << num(0.5) << 2147483647u;
        QTest::newRow("double 2.7") << num(2.7) << 0u;
        QTest::newRow("double 1.5") << num(1.5) << 0u;
        QTest::newRow("double 1e10") << num(1e10) << 1410065410u;
        QTest::newRow("double -1e10") << num(-1e10) << 1410065410u;
        QTest::newRow("infinity") << num(std::numeric_limits<double>::infinity()) << 0u;
        QTest::newRow("NaN") << num(std::numeric_limits<double>::quiet_NaN()) << 0u;
        QTest::newRow("uint32") << num(std::uint32_t(5)) << 0u;
        QTest::newRow("uint64") << num(std::uint64_t(5)) << 0u;
        QTest::newRow("YES") << Id(Number::yes()) << 0xA072795Cu;
        QTest::newRow("NO") << Id(Number::no()) << 0xA0727964u;
        QTest::newRow("string") << str(QStringLiteral("5")) << 0u;
        QTest::newRow("nil") << Id() << 0u;
    }
    void numbers()
    {
        QFETCH(Id, number);
        QFETCH(quint32, hash);
        QCOMPARE(preTigerHash(number), hash);
    }
};

QTEST_APPLESS_MAIN(tst_TzPreTigerHash)
#include "tst_TzPreTigerHash.moc"
