#include "Functions/UserABInfo.h"
#include "support/PrivateBus.h"

#include "Foundation/String.h"

#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace tz;
using namespace Qt::StringLiterals;

namespace {

using Entries = QList<std::pair<QString, QString>>;

Entries entriesOf(const DictionaryPtr& dict)
{
    Entries entries;
    if (dict) {
        for (const auto& [key, value] : dict->entries())
            entries.append({textOf(key), textOf(value)});
    }
    return entries;
}

UserCard card(const QString& zip, const QString& country)
{
    UserCard result;
    result.zip = zip;
    result.country = country;
    return result;
}

const QString none;
const QString empty = u""_s;

} // namespace

class tst_UserABInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void dictionaryOfACard_data();
    void dictionaryOfACard();
    void fullNames_data();
    void fullNames();
    void fromAccountsService();
    void unknownToAccountsServiceUsesPasswd();

private:
    [[nodiscard]] bool startAccounts(uid_t uid, const QString& realName, const QString& email, const QString& location);
    PrivateBus _bus;
};

void tst_UserABInfo::initTestCase()
{
    QVERIFY(_bus.usePrivateBus());
}

void tst_UserABInfo::cleanup()
{
    _bus.stopServices();
}

void tst_UserABInfo::dictionaryOfACard_data()
{
    QTest::addColumn<UserCard>("card");
    QTest::addColumn<Entries>("entries");
    UserCard full;
    full.email = u"ada@example.org"_s;
    full.countryCode = u"gb"_s;
    full.country = u"United Kingdom"_s;
    full.zip = u"W1"_s;
    full.state = u"London"_s;
    full.city = u"Marylebone"_s;
    full.street = u"12 St James's Square"_s;
    full.lastName = u"Lovelace"_s;
    full.firstName = u"Ada"_s;
    QTest::newRow("every entry, in order") << full
                                           << Entries{{u"First"_s, u"Ada"_s},
                                                      {u"Last"_s, u"Lovelace"_s},
                                                      {u"Street"_s, u"12 St James's Square"_s},
                                                      {u"City"_s, u"Marylebone"_s},
                                                      {u"State"_s, u"London"_s},
                                                      {u"ZIP"_s, u"W1"_s},
                                                      {u"Country"_s, u"United Kingdom"_s},
                                                      {u"CountryCode"_s, u"gb"_s},
                                                      {u"Email"_s, u"ada@example.org"_s}};
    QTest::newRow("ZIP and empty country")
        << card(u"12345"_s, empty) << Entries{{u"ZIP"_s, u"12345"_s}, {u"Country"_s, u"United States"_s}};
    QTest::newRow("absent ZIP counts as not empty") << card(none, empty) << Entries{{u"Country"_s, u"United States"_s}};
    QTest::newRow("empty ZIP, empty country: left out") << card(empty, empty) << Entries{};
    QTest::newRow("absent country stays absent") << card(u"12345"_s, none) << Entries{{u"ZIP"_s, u"12345"_s}};
    QTest::newRow("nothing known") << UserCard{} << Entries{};
}

void tst_UserABInfo::dictionaryOfACard()
{
    QFETCH(UserCard, card);
    QFETCH(Entries, entries);
    const DictionaryPtr dict = userABInfoFromCard(card);
    QVERIFY(dict);
    QCOMPARE(entriesOf(dict), entries);
}

void tst_UserABInfo::fullNames_data()
{
    QTest::addColumn<QByteArray>("gecos");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("first and last") << QByteArray("Ada Lovelace") << u"Ada"_s << u"Lovelace"_s;
    QTest::newRow("more words go to the last name")
        << QByteArray("Ada King  Lovelace") << u"Ada"_s << u"King  Lovelace"_s;
    QTest::newRow("one word") << QByteArray("Plato") << u"Plato"_s << QString();
    QTest::newRow("GECOS fields after the name")
        << QByteArray(" Grace Hopper ,Room 1,555-0100,,") << u"Grace"_s << u"Hopper"_s;
    QTest::newRow("UTF-8") << QByteArray("J\xc3\xbcrgen M\xc3\xbcller") << u"J\u00fcrgen"_s << u"M\u00fcller"_s;
    QTest::newRow("no name") << QByteArray(",,,") << QString() << QString();
}

void tst_UserABInfo::fullNames()
{
    QFETCH(QByteArray, gecos);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const DictionaryPtr dict = userABInfoFromCard(userCardFromGecos(gecos));
    QCOMPARE(textOf(dict->objectForKey(kABFirstNameProperty)), first);
    QCOMPARE(textOf(dict->objectForKey(kABLastNameProperty)), last);
    QCOMPARE(dict->count(), qsizetype(!first.isNull()) + qsizetype(!last.isNull()));
}

bool tst_UserABInfo::startAccounts(uid_t uid, const QString& realName, const QString& email, const QString& location)
{
    const QString parameters =
        u"{\"users\": {\"%1\": {\"RealName\": \"%2\", \"Email\": \"%3\", \"Location\": \"%4\"}}}"_s.arg(uid).arg(
            realName, email, location);
    return _bus.startService(u"org.freedesktop.Accounts"_s,
                             {u"--template"_s, QFINDTESTDATA("accounts_service_mock.py"), u"-p"_s, parameters});
}

void tst_UserABInfo::fromAccountsService()
{
    QVERIFY(startAccounts(::getuid(), u"Ada Lovelace"_s, u"ada@example.org"_s, u"London"_s));
    QCOMPARE(entriesOf(UserABInfo()),
             (Entries{{u"First"_s, u"Ada"_s},
                      {u"Last"_s, u"Lovelace"_s},
                      {u"City"_s, u"London"_s},
                      {u"Email"_s, u"ada@example.org"_s}}));
    // A user the service knows with nothing filled in has an empty card, not the passwd one.
    _bus.stopServices();
    QVERIFY(startAccounts(::getuid(), QString(), QString(), QString()));
    const DictionaryPtr blank = UserABInfo();
    QVERIFY(blank);
    QVERIFY(blank->isEmpty());
}

void tst_UserABInfo::unknownToAccountsServiceUsesPasswd()
{
    const passwd* entry = ::getpwuid(::getuid());
    QVERIFY(entry);
    const Entries fromPasswd = entriesOf(userABInfoFromCard(userCardFromGecos(QByteArray(entry->pw_gecos))));
    // The service runs but does not know this user; then no service at all.
    QVERIFY(startAccounts(::getuid() + 1, u"Someone Else"_s, u"else@example.org"_s, u"Elsewhere"_s));
    QVERIFY(UserABInfo());
    QCOMPARE(entriesOf(UserABInfo()), fromPasswd);
    _bus.stopServices();
    QCOMPARE(entriesOf(UserABInfo()), fromPasswd);
}

QTEST_GUILESS_MAIN(tst_UserABInfo)
#include "tst_UserABInfo.moc"
