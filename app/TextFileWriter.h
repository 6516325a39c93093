// Writes a text file so that the file at the path is either the old one or the complete new one.
#pragma once

#include <QString>

namespace TextFileWriter {

// Writes text as UTF-8 (no byte-order mark) under a temporary name beside path, then moves it
// into place and syncs the folder (tz::writeAtomically). False when any step fails (no such
// folder, no permission, disk full): the temporary is removed and a file already at path is
// left as it was. error, when given, then receives the reason as the system words it
// ("Permission denied", "No space left on device").
[[nodiscard]] bool writeTextFile(const QString& text, const QString& path, QString* error = nullptr);

} // namespace TextFileWriter
