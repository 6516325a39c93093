// The columns of the two device tables, in their default order: the row key each shows and
// its title. The window's tables and the command line's table text both take them from here.
#pragma once

#include "Foundation/Object.h"

#include <QList>
#include <QString>

struct DeviceColumn
{
    QString identifier; // a row key
    QString title;
};

namespace DeviceColumns {

// Model, Manufacturer, Supported.
[[nodiscard]] const QList<DeviceColumn>& connectedColumns();
// Model, Manufacturer.
[[nodiscard]] const QList<DeviceColumn>& supportedColumns();

// The text a cell shows for a row's value: its description; empty for nil (the row lacks the key).
[[nodiscard]] QString cellText(const tz::Id& value);

} // namespace DeviceColumns
