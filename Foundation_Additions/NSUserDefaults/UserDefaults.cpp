#include "Foundation_Additions/NSUserDefaults/UserDefaults.h"

#include "Foundation/MetaTypes.h"
#include "Foundation/MutableArray.h"
#include "Foundation/Number.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace tz {

namespace {

bool readPlist(QIODevice& device, QSettings::SettingsMap& map)
{
    const QByteArray bytes = device.readAll();
    if (bytes.isEmpty())
        return true;
    const auto dict = cast<Dictionary>(propertyList::fromData(bytes));
    if (!dict)
        return false;
    for (const auto& [key, value] : dict->entries()) {
        if (!key->stringValue().isEmpty())
            map.insert(key->stringValue(), QVariant::fromValue(value));
    }
    return true;
}

DictionaryPtr dictionaryOf(const QSettings::SettingsMap& map)
{
    QList<Dictionary::Entry> entries;
    entries.reserve(map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (const Id value = it.value().value<Id>())
            entries.append({str(it.key()), value});
    }
    return Dictionary::make(entries);
}

bool writePlist(QIODevice& device, const QSettings::SettingsMap& map)
{
    const QByteArray bytes = propertyList::toData(dictionaryOf(map), propertyList::Format::Xml);
    return !bytes.isNull() && device.write(bytes) == bytes.size();
}

QString organisation()
{
    const QString name = QCoreApplication::organizationName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

std::unique_ptr<QSettings> settingsFor(const QString& domain)
{
    return std::make_unique<QSettings>(UserDefaults::settingsFormat(), QSettings::UserScope, organisation(), domain);
}

} // namespace

QSettings::Format UserDefaults::settingsFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("plist"), readPlist, writePlist);
    return format;
}

UserDefaults& UserDefaults::standardUserDefaults()
{
    static UserDefaults defaults(QCoreApplication::applicationName());
    return defaults;
}

UserDefaults::UserDefaults(const QString& domain) : _settings(settingsFor(domain))
{}

Id UserDefaults::objectForKey(const QString& key) const
{
    const QMutexLocker lock(&_mutex);
    if (const Id stored = _settings->value(key).value<Id>())
        return stored;
    return _registered.value(key);
}

bool UserDefaults::setObjectForKey(const Id& value, const QString& key)
{
    if (key.isEmpty())
        return false;
    if (!value) {
        removeObjectForKey(key);
        return true;
    }
    if (propertyList::toData(value).isNull())
        return false;
    const QMutexLocker lock(&_mutex);
    _settings->setValue(key, QVariant::fromValue(value));
    return true;
}

void UserDefaults::removeObjectForKey(const QString& key)
{
    const QMutexLocker lock(&_mutex);
    _settings->remove(key);
}

bool UserDefaults::synchronize()
{
    const QMutexLocker lock(&_mutex);
    _settings->sync();
    return _settings->status() == QSettings::NoError;
}

void UserDefaults::registerDefaults(const DictionaryPtr& defaults)
{
    if (!defaults)
        return;
    const QMutexLocker lock(&_mutex);
    for (const auto& [key, value] : defaults->entries()) {
        if (!key->stringValue().isEmpty())
            _registered.insert(key->stringValue(), value);
    }
}

DictionaryPtr UserDefaults::persistentDomainForName(const QString& domain)
{
    if (domain.isEmpty())
        return {};
    const auto settings = settingsFor(domain);
    if (!QFileInfo::exists(settings->fileName()) && settings->allKeys().isEmpty())
        return {};
    QSettings::SettingsMap map;
    for (const QString& key : settings->allKeys())
        map.insert(key, settings->value(key));
    return dictionaryOf(map);
}

void UserDefaults::removePersistentDomainForName(const QString& domain)
{
    if (domain.isEmpty())
        return;
    const auto settings = settingsFor(domain);
    settings->clear();
    settings->sync();
    QFile::remove(settings->fileName());
}

bool isKindOfClass(const Id& value, const QString& className)
{
    if (!value)
        return false;
    if (value->className() == className || className == QLatin1String("NSObject"))
        return true;
    if (className == QLatin1String("NSNumber"))
        return as<Number>(value) != nullptr;
    if (className == QLatin1String("NSArray"))
        return as<MutableArray>(value) != nullptr;
    return false;
}

} // namespace tz
