#include "Functions/InternetConnectionAvailable.h"
#include "support/PrivateBus.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

namespace {

// A label of 64 characters: no resolver accepts it, so the lookup fails before any query is sent.
const QString unresolvable = QString(64, u'x') + u".invalid"_s;

} // namespace

class tst_InternetConnectionAvailable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void withoutNetworkManager_data();
    void withoutNetworkManager();
    void networkManagerConnectivity_data();
    void networkManagerConnectivity();

private:
    PrivateBus _bus;
};

void tst_InternetConnectionAvailable::initTestCase()
{
    QVERIFY(_bus.usePrivateBus());
}

void tst_InternetConnectionAvailable::cleanup()
{
    _bus.stopServices();
}

void tst_InternetConnectionAvailable::withoutNetworkManager_data()
{
    const QString base = u"http://localhost/"_s;
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("available");
    QTest::newRow("localhost") << u"http://localhost/index.html"_s << true;
    QTest::newRow("loopback literal with port") << u"https://127.0.0.1:8443/x?y=1"_s << true;
    QTest::newRow("other loopback address") << u"ftp://127.1.2.3/"_s << true;
    QTest::newRow("unresolvable name") << u"http://"_s + unresolvable + u"/"_s << false;
    QTest::newRow("1024 characters") << base + QString(1024 - base.size(), u'a') << true;
    QTest::newRow("1025 characters") << base + QString(1025 - base.size(), u'a') << false;
    // ::1 is only routable where the loopback device has it; skipped rows would hide that.
}

void tst_InternetConnectionAvailable::withoutNetworkManager()
{
    QFETCH(QString, url);
    QFETCH(bool, available);
    QCOMPARE(internetConnectionAvailableTo(url), available);
}

void tst_InternetConnectionAvailable::networkManagerConnectivity_data()
{
    QTest::addColumn<int>("connectivity");
    QTest::addColumn<unsigned>("flags");
    QTest::newRow("unknown") << 0 << reachabilityReachable;
    QTest::newRow("none: connection required") << 1 << (reachabilityReachable | reachabilityConnectionRequired);
    QTest::newRow("portal") << 2 << reachabilityReachable;
    QTest::newRow("full") << 4 << reachabilityReachable;
}

void tst_InternetConnectionAvailable::networkManagerConnectivity()
{
    QFETCH(int, connectivity);
    QFETCH(unsigned, flags);
    QVERIFY(_bus.startService(
        u"org.freedesktop.NetworkManager"_s,
        {u"--template"_s, u"networkmanager"_s, u"-p"_s, u"{\"Connectivity\": %1}"_s.arg(connectivity)}));
    QCOMPARE(reachabilityFlagsForHost(u"localhost"_s), std::optional<unsigned>(flags));
    QCOMPARE(internetConnectionAvailableTo(u"http://localhost/"_s), !(flags & reachabilityConnectionRequired));
    QCOMPARE(reachabilityFlagsForHost(unresolvable), std::nullopt);
}

QTEST_GUILESS_MAIN(tst_InternetConnectionAvailable)
#include "tst_InternetConnectionAvailable.moc"
