#include "app/AppInfo.h"

namespace AppInfo {

namespace {
const QString licenceName = QStringLiteral("MIT License");
} // namespace

QString displayName() { return QStringLiteral("Burner Catalogue"); }
QString executableName() { return QStringLiteral("burner-catalogue"); }
QString version() { return QStringLiteral(BURNER_CATALOGUE_VERSION); }
QString licence() { return licenceName; }

} // namespace AppInfo
