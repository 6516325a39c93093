// Where the device-support profile file is found and how it is read. The file is read once
// per start (CommandLine::applyDataOptions) and its root shared through the drive service;
// its format is in app/DiscRecording/SupportProfile.h.
#pragma once

#include "Foundation/Object.h"
#include "app/DiscRecording/SupportProfile.h"

namespace DeviceSupportProfile {

// Where the disc-recording service keeps its profile, looked at in this order.
extern const QString pathToFile;
extern const QString leopardPathToFile;
// The profile built into the program (a Qt resource), used when neither of those exists.
extern const QString builtInPath;

// The profile the user named (--profile) when not empty, as it takes the place of all the
// others; else pathToFile when it exists; else leopardPathToFile when that exists; else
// builtInPath.
[[nodiscard]] QString chosenPath(const QString& named = {});

// The property list at the path, symbolic links resolved first; nil when the file cannot be
// read or is not a property list. The caller checks that the root is an array. problem, when
// given, says in a few words what keeps the file from listing drives, for a message after its
// name ("cannot be read", "is not a property list", "is not a device-support profile (its root
// is not an array)"); it is cleared for a sound profile.
[[nodiscard]] tz::Id readProfile(const QString& path, QString* problem = nullptr);
// The path as a person reads it: the built-in profile by that name, any other as it is.
[[nodiscard]] QString displayPath(const QString& path);

} // namespace DeviceSupportProfile
