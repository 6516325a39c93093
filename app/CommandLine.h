// The program without a window, for scripts and machines without a display: lists the tables,
// shows a connected drive's details, ejects; the same rows and texts the window shows and saves.
#pragma once

#include <QStringList>

class DriveService;

namespace CommandLine {

// Exit statuses.
inline constexpr int success = 0;
inline constexpr int actionFailed = 1; // an eject or close that failed, a profile that cannot be read
inline constexpr int badArguments = 2; // unknown option, missing or wrong value, no such row

// Whether the arguments (program name first) are for the command line: an action (--list,
// --details, --eject), --json, --help, --version, or anything the window would not understand.
// Only --profile and --simulate (with their values) leave the program to the window. Needs no
// application object.
[[nodiscard]] bool wantsCommandLine(const QStringList& arguments);

// Sets the service up from --simulate (else its default drives) and --profile (else the first
// profile DeviceSupportProfile::chosenPath finds), reading the profile file once for the service
// and the tables: the window path calls it too. False, with a one-line message on standard
// error, when a file they name cannot be read; the service is then left as it was.
[[nodiscard]] bool applyDataOptions(const QStringList& arguments, DriveService& service);

// Runs the command line under the caller's QCoreApplication (no display needed) with the
// service, which applyDataOptions sets up: writes the result to standard output and any error
// as one line on standard error; answers the exit status.
[[nodiscard]] int run(const QStringList& arguments, DriveService& service);

} // namespace CommandLine
