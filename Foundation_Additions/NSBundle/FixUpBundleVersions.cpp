#include "Foundation_Additions/NSBundle/FixUpBundleVersions.h"

#include "Foundation/Format.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringWithUnichar.h"

#include <QFile>

namespace tz {

void FixUpBundleVersions()
{
    const QString shortVersionKey = QStringLiteral("CFBundleShortVersionString");
    const QString getInfoKey = QStringLiteral("CFBundleGetInfoString");
    const std::shared_ptr<const Dictionary> info = bundle::infoDictionary();
    if (info && info->objectForKey(shortVersionKey))
        return;

    const QString path = bundle::infoDictionaryPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    std::shared_ptr<const Dictionary> dictionary = cast<Dictionary>(propertyList::fromData(bytes));
    const QString version =
        dictionary ? textOf(dictionary->objectForKey(QStringLiteral("CFBundleVersion"))) : QString();
    if (version.isNull())
        return;
    if (const QString getInfo = textOf(dictionary->objectForKey(getInfoKey)); !getInfo.isNull()) {
        const QString copyright = stringWithUnichar(0x00A9);
        const QString joined = getInfo.split(copyright).join(format("%@ %@", version, copyright));
        dictionary = dictionaryBySettingObjectForKey(dictionary, str(joined), str(getInfoKey));
    }
    dictionary = dictionaryBySettingObjectForKey(dictionary, str(version), str(shortVersionKey));
    const auto kind = bytes.startsWith("bplist") ? propertyList::Format::Binary : propertyList::Format::Xml;
    (void)propertyList::writeFile(dictionary, path, kind);
}

} // namespace tz
