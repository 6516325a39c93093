// Diagnostics of the drive service (not the system's own log lines).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDrives)
