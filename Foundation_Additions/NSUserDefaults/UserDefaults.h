// User defaults: a QSettings file in the XDG config location whose values are objects of the
// object model (strings, numbers, data, dates, arrays, dictionaries). The file is a property
// list, "<organisation>/<domain>.plist", so each value keeps its kind across runs; the
// standard defaults use the application's name as the domain. Registered defaults are an
// in-memory layer below the stored values. Safe to use from several threads.
#pragma once

#include "Foundation/Dictionary.h"

#include <QHash>
#include <QMutex>
#include <QSettings>

#include <memory>

namespace tz {

class UserDefaults
{
public:
    // The defaults of the application's own domain.
    [[nodiscard]] static UserDefaults& standardUserDefaults();
    // The QSettings format of defaults files (a property-list dictionary).
    [[nodiscard]] static QSettings::Format settingsFormat();

    explicit UserDefaults(const QString& domain);
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    // The stored value, else the registered one, else nil.
    [[nodiscard]] Id objectForKey(const QString& key) const;
    // Stores the value; nil removes the key. False, with nothing stored, for a kind a property
    // list cannot carry (the null placeholder, ranges) or an empty key.
    bool setObjectForKey(const Id& value, const QString& key);
    void removeObjectForKey(const QString& key);
    // Writes pending changes; false when the file could not be written.
    bool synchronize();
    // Adds fallback values (later registrations win); they are never stored.
    void registerDefaults(const DictionaryPtr& defaults);

    // The stored values of a domain (its settings file), nil when it has none.
    [[nodiscard]] static DictionaryPtr persistentDomainForName(const QString& domain);
    // Deletes that domain's stored values and its file.
    static void removePersistentDomainForName(const QString& domain);

private:
    mutable QMutex _mutex;
    std::unique_ptr<QSettings> _settings;
    QHash<QString, Id> _registered;
};

// Whether the value is of the named class of the object model or a kind of it ("NSNumber"
// takes booleans, "NSArray" mutable arrays, "NSObject" anything).
[[nodiscard]] bool isKindOfClass(const Id& value, const QString& className);

} // namespace tz
