#include "Functions/UserABInfo.h"

#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringIsNotEmpty.h"
#include "Functions/ProbeBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QRegularExpression>

#include <optional>

#include <pwd.h>
#include <unistd.h>

namespace tz {

const QString kABFirstNameProperty = QStringLiteral("First");
const QString kABLastNameProperty = QStringLiteral("Last");
const QString kABAddressStreetKey = QStringLiteral("Street");
const QString kABAddressCityKey = QStringLiteral("City");
const QString kABAddressStateKey = QStringLiteral("State");
const QString kABAddressZIPKey = QStringLiteral("ZIP");
const QString kABAddressCountryKey = QStringLiteral("Country");
const QString kABAddressCountryCodeKey = QStringLiteral("CountryCode");
const QString kABEmailProperty = QStringLiteral("Email");

namespace {

const QString accountsService = QStringLiteral("org.freedesktop.Accounts");

// The card AccountsService keeps for the uid; nothing when the service or the user is missing.
std::optional<UserCard> accountsServiceCard(uid_t uid)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage find = QDBusMessage::createMethodCall(accountsService, QStringLiteral("/org/freedesktop/Accounts"),
                                                       accountsService, QStringLiteral("FindUserById"));
    find << qint64(uid);
    const QDBusMessage found = probeCall(bus, find);
    if (found.type() != QDBusMessage::ReplyMessage || found.arguments().isEmpty())
        return std::nullopt;
    const QString path = qvariant_cast<QDBusObjectPath>(found.arguments().constFirst()).path();
    if (path.isEmpty())
        return std::nullopt;
    QDBusMessage getAll = QDBusMessage::createMethodCall(
        accountsService, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll << QStringLiteral("org.freedesktop.Accounts.User");
    const QDBusMessage properties = probeCall(bus, getAll);
    if (properties.type() != QDBusMessage::ReplyMessage || properties.arguments().isEmpty())
        return std::nullopt;
    const QVariantMap values = qdbus_cast<QVariantMap>(properties.arguments().constFirst());
    const auto text = [&values](const char* key) {
        const auto it = values.constFind(QString::fromLatin1(key));
        return it != values.cend() && it->metaType() == QMetaType::fromType<QString>() ? it->toString() : QString();
    };
    return userCardFromAccount(text("RealName"), text("Email"), text("Location"));
}

void addIfNotEmpty(DictionaryPtr& dict, const QString& value, const QString& key)
{
    if (isNotEmpty(value))
        dict = dictionaryBySettingObjectForKey(dict, str(value), str(key));
}

} // namespace

UserCard userCardFromAccount(const QString& realName, const QString& email, const QString& location)
{
    UserCard card;
    const QString name = realName.trimmed();
    if (!name.isNull()) {
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QRegularExpressionMatch gap = blanks.match(name);
        card.firstName = gap.hasMatch() ? name.left(gap.capturedStart()) : name;
        if (gap.hasMatch())
            card.lastName = name.mid(gap.capturedEnd());
    }
    card.email = email;
    card.city = location;
    return card;
}

UserCard userCardFromGecos(const QByteArray& gecos)
{
    const qsizetype comma = gecos.indexOf(',');
    return userCardFromAccount(QString::fromUtf8(comma < 0 ? gecos : gecos.left(comma)), QString(), QString());
}

DictionaryPtr userABInfoFromCard(const UserCard& card)
{
    QString country = card.country;
    if (!country.isNull() && country.isEmpty() && (card.zip.isNull() || !card.zip.isEmpty()))
        country = QStringLiteral("United States");
    DictionaryPtr result = Dictionary::make();
    addIfNotEmpty(result, card.firstName, kABFirstNameProperty);
    addIfNotEmpty(result, card.lastName, kABLastNameProperty);
    addIfNotEmpty(result, card.street, kABAddressStreetKey);
    addIfNotEmpty(result, card.city, kABAddressCityKey);
    addIfNotEmpty(result, card.state, kABAddressStateKey);
    addIfNotEmpty(result, card.zip, kABAddressZIPKey);
    addIfNotEmpty(result, country, kABAddressCountryKey);
    addIfNotEmpty(result, card.countryCode, kABAddressCountryCodeKey);
    addIfNotEmpty(result, card.email, kABEmailProperty);
    return result;
}

DictionaryPtr UserABInfo()
{
    const uid_t uid = ::getuid();
    if (const std::optional<UserCard> card = accountsServiceCard(uid))
        return userABInfoFromCard(*card);
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) != 0 || !found)
        return {};
    return userABInfoFromCard(userCardFromGecos(QByteArray(found->pw_gecos ? found->pw_gecos : "")));
}

} // namespace tz
