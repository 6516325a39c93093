#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceFindFolder.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSString/TzNSStringOSTypeFromString.h"

#include <QDir>
#include <QFileInfo>

namespace tz {

namespace {

constexpr quint32 olderSchemeTypes = 0x20202020;

// The source lines these messages have always been reported at.
constexpr int carbonSubstitutedLine = 35;
constexpr int carbonMixedLine = 41;
constexpr int nsSubstitutedLine = 58;
constexpr int nsMixedLine = 64;

const QString findFolderFunction = QStringLiteral("-[NSWorkspace(FindFolder) directoriesOfType:inDomains:]");

struct CrossReference
{
    QList<qint16> domains;
    QHash<qint32, QString> names;
    QHash<qint32, qint32> both;
};

const CrossReference& crossReference()
{
    static const CrossReference tables = [] {
        struct Row
        {
            const char* name;
            qint16 older;
            qint32 mask;
        };
        static constexpr Row rows[] = {{"kUserDomain", kUserDomain, NSUserDomainMask},
                                       {"kLocalDomain", kLocalDomain, NSLocalDomainMask},
                                       {"kNetworkDomain", kNetworkDomain, NSNetworkDomainMask},
                                       {"kSystemDomain", kSystemDomain, NSSystemDomainMask},
                                       {"kOnAppropriateDisk", kOnAppropriateDisk, NSAllDomainsMask}};
        CrossReference built;
        for (const Row& row : rows) {
            built.domains.append(row.older);
            built.names.insert(row.older, QString::fromLatin1(row.name));
            built.both.insert(row.older, row.mask);
            built.both.insert(row.mask, row.older);
        }
        return built;
    }();
    return tables;
}

QStringList searchPathFolders(quint32 folderType, qint32 mask)
{
    QStringList found;
    for (const qint32 bit : {NSUserDomainMask, NSLocalDomainMask, NSNetworkDomainMask, NSSystemDomainMask}) {
        if (!(mask & bit))
            continue;
        if (const QString folder = standardFolder(folderType, bit); !folder.isNull())
            found.append(folder);
    }
    return found;
}

} // namespace

void initDomainsCrossReference()
{
    (void)crossReference();
}

const QList<qint16>& carbonDomains()
{
    return crossReference().domains;
}

const QHash<qint32, QString>& carbonDomainNames()
{
    return crossReference().names;
}

const QHash<qint32, qint32>& domainsCrossReference()
{
    return crossReference().both;
}

QStringList directoriesOfTypeInDomains(quint32 folderType, qint32 domain)
{
    initDomainsCrossReference();
    const QHash<qint32, qint32>& reference = domainsCrossReference();
    if (folderType < olderSchemeTypes) {
        qint32 mask = domain;
        if (domain < 0) {
            if (!reference.contains(domain)) {
                logLine(__FILE__, nsMixedLine, findFolderFunction,
                        QStringLiteral("NS type: %d mixed with Carbon Domain: %d"), folderType, domain);
                return {};
            }
            mask = reference.value(domain);
            logLine(__FILE__, nsSubstitutedLine, findFolderFunction,
                    QStringLiteral("NS domain %d substituted for carbon domain %d"), mask, domain);
        }
        return searchPathFolders(folderType, mask);
    }
    if (domain > 0) {
        if (!reference.contains(domain)) {
            logLine(__FILE__, carbonMixedLine, findFolderFunction,
                    QStringLiteral("Carbon type: %@ mixed with NS Domain: %d"), stringWithOSType(folderType), domain);
            return {};
        }
        logLine(__FILE__, carbonSubstitutedLine, findFolderFunction,
                QStringLiteral("carbon domain %d substituted for NS domain %d"), reference.value(domain), domain);
    }
    return findCarbonSystemFolderTypeInDomains(folderType, carbonDomains());
}

QString findCarbonSystemFolderTypeForDomain(quint32 folderType, qint16 domain)
{
    qint32 mask = 0;
    if (domain == kOnAppropriateDisk) {
        for (const qint32 bit : {NSUserDomainMask, NSLocalDomainMask, NSSystemDomainMask}) {
            if (!standardFolder(folderType, bit).isNull()) {
                mask = bit;
                break;
            }
        }
    } else {
        mask = domainsCrossReference().value(domain);
    }
    const QString folder = standardFolder(folderType, mask);
    if (folder.isNull())
        return {};
    if (QFileInfo(folder).isDir())
        return folder;
    return mask == NSUserDomainMask && QDir().mkpath(folder) ? folder : QString();
}

QStringList findCarbonSystemFolderTypeInDomains(quint32 folderType, const QList<qint16>& domains)
{
    QStringList found;
    for (const qint16 domain : domains) {
        if (const QString folder = findCarbonSystemFolderTypeForDomain(folderType, domain); !folder.isNull())
            found.append(folder);
    }
    return found;
}

} // namespace tz
