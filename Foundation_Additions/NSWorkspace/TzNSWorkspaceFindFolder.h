// Standard folders by either naming scheme: newer-scheme types (below 0x20202020) with domain
// masks, older-scheme four-character types with negative domains, and the cross-reference
// between the two kinds of domain. Where each folder is: StandardFolders.h.
#pragma once

#include "Foundation_Additions/NSWorkspace/StandardFolders.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace tz {

// The process-wide tables, built once on first use (safe from any thread).
void initDomainsCrossReference();
// The older domains in search order: user, local, network, system, on appropriate disk.
[[nodiscard]] const QList<qint16>& carbonDomains();
// "kUserDomain", "kLocalDomain", "kNetworkDomain", "kSystemDomain", "kOnAppropriateDisk" by value.
[[nodiscard]] const QHash<qint32, QString>& carbonDomainNames();
// Older domain to mask and mask to older domain, in one map: -32763 <-> 1, -32765 <-> 2,
// -32764 <-> 4, -32766 <-> 8, -32767 <-> 0xFFFF.
[[nodiscard]] const QHash<qint32, qint32>& domainsCrossReference();

// The folders of the type in the domain. A newer type takes the folders of every domain in the
// mask (user, local, network, system, in that order), whether they exist or not; given an older
// domain it logs "NS domain <mask> substituted for carbon domain <domain>" and uses its mask, or
// logs "NS type: <type> mixed with Carbon Domain: <domain>" and gives none when it has no mask.
// An older type is looked up over all five older domains in order, whatever the domain (so a
// folder may come twice); given a mask it first logs "carbon domain <domain> substituted for NS
// domain <mask>", or "Carbon type: <type> mixed with NS Domain: <mask>" (type as four characters)
// and gives none when the mask has no older domain. Empty when nothing is found.
[[nodiscard]] QStringList directoriesOfTypeInDomains(quint32 folderType, qint32 domain);
// The older-scheme folder of the type in one older domain (on appropriate disk: the first of
// user, local and system that has one). A missing folder of the user domain is created; one of
// another domain is left out. None (null) when there is no such folder or it cannot be created.
[[nodiscard]] QString findCarbonSystemFolderTypeForDomain(quint32 folderType, qint16 domain);
// findCarbonSystemFolderTypeForDomain over the domains, in their order, leaving out those without one.
[[nodiscard]] QStringList findCarbonSystemFolderTypeInDomains(quint32 folderType, const QList<qint16>& domains);

} // namespace tz
