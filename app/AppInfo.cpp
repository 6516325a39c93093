#include "app/AppInfo.h"

#include <QDir>
#include <QFileInfo>

namespace AppInfo {

namespace {
const QString licenceName = QStringLiteral("MIT License");
} // namespace

QString displayName()
{
    return QStringLiteral("Burner Catalogue");
}
QString executableName()
{
    return QStringLiteral("burner-catalogue");
}
QString version()
{
    return QStringLiteral(BURNER_CATALOGUE_VERSION);
}
QString licence()
{
    return licenceName;
}

QString dataDirectory()
{
    // The program's own location decides: a package installs under /usr, `make install` under
    // its prefix, and both keep the data beside bin/ as share/burner-catalogue.
    const QFileInfo program(QStringLiteral("/proc/self/exe"));
    const QDir beside(program.canonicalPath() + QStringLiteral("/../")
                      + QStringLiteral(BURNER_CATALOGUE_RELATIVE_DATADIR));
    return beside.exists() ? beside.canonicalPath() : QStringLiteral(BURNER_CATALOGUE_DATADIR);
}

} // namespace AppInfo
