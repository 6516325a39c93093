#include "Functions/SystemVersion.h"

#include <QTest>

#include <sys/utsname.h>

using namespace tz;

class tst_SystemVersion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void releaseDigits_data();
    void releaseDigits();
    void thresholds_data();
    void thresholds();
    void cachedFromUname();
};

void tst_SystemVersion::releaseDigits_data()
{
    QTest::addColumn<QByteArray>("release");
    QTest::addColumn<unsigned>("value");
    QTest::newRow("three parts") << QByteArray("10.4.2") << 0x1042u;
    QTest::newRow("Debian kernel") << QByteArray("6.1.0-18-amd64") << 0x0610u;
    QTest::newRow("suffix on the minor part") << QByteArray("6.8-rc3") << 0x0680u;
    QTest::newRow("minor and patch clamp to 9") << QByteArray("5.15.131") << 0x0599u;
    QTest::newRow("major clamps to 99") << QByteArray("123.4.5") << 0x9945u;
    QTest::newRow("major only") << QByteArray("6") << 0x0600u;
    QTest::newRow("leading zeros") << QByteArray("06.01.02") << 0x0612u;
    QTest::newRow("no leading number") << QByteArray("v6.1") << 0u;
    QTest::newRow("empty") << QByteArray() << 0u;
}

void tst_SystemVersion::releaseDigits()
{
    QFETCH(QByteArray, release);
    QFETCH(unsigned, value);
    QCOMPARE(systemVersionFromRelease(release), value);
}

void tst_SystemVersion::thresholds_data()
{
    QTest::addColumn<unsigned>("version");
    QTest::addColumn<bool>("jaguar");
    QTest::addColumn<bool>("panther");
    QTest::addColumn<bool>("tiger");
    QTest::newRow("0x1039") << 0x1039u << true << true << false;
    QTest::newRow("0x1040") << 0x1040u << true << true << true;
    QTest::newRow("0x101F") << 0x101Fu << false << false << false;
    QTest::newRow("0x1020") << 0x1020u << true << false << false;
    QTest::newRow("0x102F") << 0x102Fu << true << false << false;
    QTest::newRow("0x103F") << 0x103Fu << true << true << false;
    QTest::newRow("0xFFFF") << 0xFFFFu << true << true << true;
}

void tst_SystemVersion::thresholds()
{
    QFETCH(unsigned, version);
    QFETCH(bool, jaguar);
    QFETCH(bool, panther);
    QFETCH(bool, tiger);
    setSystemVersionForTesting(version);
    QCOMPARE(SystemVersion(), version);
    QCOMPARE(isJaguarOrLater(), jaguar);
    QCOMPARE(isJag(), jaguar);
    QCOMPARE(isPantherOrLater(), panther);
    QCOMPARE(isTigerOrLater(), tiger);
    setSystemVersionForTesting(0);
}

void tst_SystemVersion::cachedFromUname()
{
    utsname name{};
    QCOMPARE(::uname(&name), 0);
    const unsigned expected = systemVersionFromRelease(QByteArrayView(name.release));
    QVERIFY(expected != 0);
    setSystemVersionForTesting(0);
    QCOMPARE(SystemVersion(), expected);
    // A cached value is kept, not asked again.
    setSystemVersionForTesting(0x1042);
    QCOMPARE(SystemVersion(), 0x1042u);
    setSystemVersionForTesting(0);
    QCOMPARE(SystemVersion(), expected);
}

QTEST_APPLESS_MAIN(tst_SystemVersion)
#include "tst_SystemVersion.moc"
