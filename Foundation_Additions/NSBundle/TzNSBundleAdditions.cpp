#include "Foundation_Additions/NSBundle/TzNSBundleAdditions.h"

#include "Foundation/Array.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSString/TzNSStringOSTypeFromString.h"

namespace tz {

namespace {

QList<QString> textsIn(const Id& list)
{
    QList<QString> texts;
    if (const Array* array = as<Array>(list)) {
        for (const Id& element : array->objects()) {
            if (const String* text = as<String>(element))
                texts.append(text->text());
        }
    }
    return texts;
}

} // namespace

QStringList openableDocumentTypes()
{
    QStringList types;
    const std::shared_ptr<const Dictionary> info = bundle::infoDictionary();
    const Array* entries = info ? as<Array>(info->objectForKey(QStringLiteral("CFBundleDocumentTypes"))) : nullptr;
    if (!entries)
        return types;
    for (const Id& element : entries->objects()) {
        const Dictionary* entry = as<Dictionary>(element);
        if (!entry || textOf(entry->objectForKey(QStringLiteral("CFBundleTypeRole"))) == u"None")
            continue;
        for (const QString& extension : textsIn(entry->objectForKey(QStringLiteral("CFBundleTypeExtensions"))))
            types.append(extension.toUpper());
        for (const QString& code : textsIn(entry->objectForKey(QStringLiteral("CFBundleTypeOSTypes"))))
            types.append(u'\'' + stringWithOSType(OSTypeFromString(code)) + u'\'');
    }
    return types;
}

} // namespace tz
