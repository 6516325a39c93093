#include "app/DeviceColumns.h"

#include "app/DeviceRows.h"

namespace DeviceColumns {

const QList<DeviceColumn>& connectedColumns()
{
    static const QList<DeviceColumn> columns{{modelKey, QStringLiteral("Model")},
                                             {manufacturerKey, QStringLiteral("Manufacturer")},
                                             {supportedKey, QStringLiteral("Supported")}};
    return columns;
}

const QList<DeviceColumn>& supportedColumns()
{
    static const QList<DeviceColumn> columns{{modelKey, QStringLiteral("Model")},
                                             {manufacturerKey, QStringLiteral("Manufacturer")}};
    return columns;
}

QString cellText(const tz::Id& value)
{
    return value ? value->description() : QString();
}

} // namespace DeviceColumns
