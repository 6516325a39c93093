#include "app/AttributesFormatter.h"

#include "Foundation/Array.h"
#include "Foundation/Format.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSString/TzNSStringContains.h"
#include "Foundation_Additions/NSString/TzNSStringDeleteCommonPrefix.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {

const QString keyPrefix = QStringLiteral("DRDevice");
const QString keySuffix = QStringLiteral("Key");

QString keyNameOf(const tz::Id& key)
{
    const auto* string = tz::as<tz::String>(key);
    QString name = string ? tz::stringByDeletingCommonPrefixWith(string->text(), keyPrefix) : key->description();
    if (name.endsWith(keySuffix))
        name.chop(keySuffix.size());
    return name;
}

// The value without its key's stem (the key less its "Key" suffix) when it begins with all of
// it: enumerated values that repeat the key's name keep only their tail ("USB", "Blank"), free
// text that merely shares some first letters with the key stays whole.
QString withoutKeyStem(const QString& value, const QString& key)
{
    const QString stem = key.endsWith(keySuffix) ? key.chopped(keySuffix.size()) : key;
    return !stem.isEmpty() && value.startsWith(stem) ? value.sliced(stem.size()) : value;
}

// The value's text; null when it has none.
QString valueTextOf(const tz::Id& value)
{
    if (const auto* string = tz::as<tz::String>(value))
        return string->text();
    if (const auto* number = tz::as<tz::Number>(value)) {
        if (tz::contains(number->className(), QStringLiteral("Boolean")))
            return number->boolValue().value_or(false) ? QStringLiteral("YES") : QStringLiteral("NO");
        return number->stringValue();
    }
    if (const auto* array = tz::as<tz::Array>(value))
        return array->description();
    return tz::format("Object of Class: %@, description: %@", value->className(), value->description());
}

void appendEntries(tz::MutableAttributedString& out, const tz::DictionaryPtr& dict)
{
    if (!dict || dict->isEmpty()) {
        out.appendString(QStringLiteral("[No Data Available]"));
        return;
    }
    for (const auto& [key, value] : dict->entries()) {
        if (const auto nested = tz::cast<tz::Dictionary>(value)) {
            appendEntries(out, nested);
            continue;
        }
        QString text = valueTextOf(value);
        if (text.isNull()) {
            out.appendString(tz::format("BAD LINE FOR KEY %@\n", key));
            continue;
        }
        if (const auto* string = tz::as<tz::String>(key))
            text = withoutKeyStem(text, string->text());
        out.appendString(keyNameOf(key), AttributesFormatter::keyAttributes());
        out.appendString(QStringLiteral(": ") + text + QLatin1Char('\n'));
    }
}

} // namespace

tz::AttributedString AttributesFormatter::stringFromAttributesDict(const tz::DictionaryPtr& dict)
{
    tz::MutableAttributedString out;
    appendEntries(out, dict);
    return out;
}

tz::Attributes AttributesFormatter::keyAttributes()
{
    // The palette's link colour reads on light and dark themes alike; without a GUI
    // application (the command line) there is no palette, and plain blue stands in.
    const auto* gui = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
    const QColor colour = gui ? QGuiApplication::palette().color(QPalette::Active, QPalette::Link) : QColor(Qt::blue);
    return {{tz::ForegroundColorAttributeName, colour}};
}
