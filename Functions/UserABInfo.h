// The user's own card as a dictionary. The card comes from AccountsService on the system
// bus (RealName, Email, Location of the user with this process's uid) or, when that service
// does not know the user, from the GECOS field of the user's passwd entry.
#pragma once

#include "Foundation/Dictionary.h"

namespace tz {

extern const QString kABFirstNameProperty;     // "First"
extern const QString kABLastNameProperty;      // "Last"
extern const QString kABAddressStreetKey;      // "Street"
extern const QString kABAddressCityKey;        // "City"
extern const QString kABAddressStateKey;       // "State"
extern const QString kABAddressZIPKey;         // "ZIP"
extern const QString kABAddressCountryKey;     // "Country"
extern const QString kABAddressCountryCodeKey; // "CountryCode"
extern const QString kABEmailProperty;         // "Email"

// One card's values; a null QString is an absent value.
struct UserCard
{
    QString firstName;
    QString lastName;
    QString street;
    QString city;
    QString state;
    QString zip;
    QString country;
    QString countryCode;
    QString email;
};

// A full name split at its first blank run: "Ada King Lovelace" is first name "Ada", last name
// "King Lovelace"; one word is a first name only. Location is the city; e-mail as given.
[[nodiscard]] UserCard userCardFromAccount(const QString& realName, const QString& email, const QString& location);
// The full name is the GECOS field's text before its first comma.
[[nodiscard]] UserCard userCardFromGecos(const QByteArray& gecos);

// The dictionary of a card: an empty country becomes "United States" when the ZIP is not
// empty (an absent ZIP counts as not empty); then each value present and not empty is added,
// in the order first name, last name, street, city, state, ZIP, country, country code, e-mail.
[[nodiscard]] DictionaryPtr userABInfoFromCard(const UserCard& card);

// The current user's card; nothing when neither AccountsService nor the passwd file knows them.
[[nodiscard]] DictionaryPtr UserABInfo();

} // namespace tz
