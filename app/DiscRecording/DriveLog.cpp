#include "app/DiscRecording/DriveLog.h"

Q_LOGGING_CATEGORY(lcDrives, "burner.drives", QtInfoMsg)
