#include "app/ObjectJson.h"

#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/Null.h"
#include "Foundation/Number.h"
#include "Foundation/Set.h"
#include "Foundation/String.h"

#include <QJsonArray>
#include <QJsonObject>

namespace ObjectJson {

namespace {

QJsonArray arrayOf(const QList<tz::Id>& objects)
{
    QJsonArray array;
    for (const tz::Id& object : objects)
        array.append(toJson(object));
    return array;
}

} // namespace

QJsonValue toJson(const tz::Id& value)
{
    if (!value || tz::as<tz::Null>(value))
        return QJsonValue::Null;
    if (const auto* string = tz::as<tz::String>(value))
        return string->text();
    if (const auto* number = tz::as<tz::Number>(value)) {
        if (number->isBoolean())
            return number->boolValue().value_or(false);
        if (number->isFloatingPoint())
            return number->doubleValue().value_or(0.0);
        return qint64(number->longLongValue().value_or(0));
    }
    if (const auto* dictionary = tz::as<tz::Dictionary>(value)) {
        QJsonObject object;
        for (const auto& [key, entryValue] : dictionary->entries())
            object.insert(tz::describe(key), toJson(entryValue));
        return object;
    }
    if (const auto* array = tz::as<tz::Array>(value))
        return arrayOf(array->objects());
    if (const auto* set = tz::as<tz::Set>(value))
        return arrayOf(set->allObjects());
    if (const auto* date = tz::as<tz::Date>(value))
        return date->dateTime().toUTC().toString(Qt::ISODate);
    if (const auto* data = tz::as<tz::Data>(value))
        return QString::fromLatin1(data->bytes().toBase64());
    return value->description();
}

} // namespace ObjectJson
