#include "app/AppInfo.h"

namespace AppInfo {

QString displayName() { return QStringLiteral("Burner Catalogue"); }
QString executableName() { return QStringLiteral("burner-catalogue"); }
QString version() { return QStringLiteral(BURNER_CATALOGUE_VERSION); }

} // namespace AppInfo
