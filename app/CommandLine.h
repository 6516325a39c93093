// The program without a window, for scripts and machines without a display: lists the tables,
// shows a connected drive's details, ejects; the same rows and texts the window shows and saves.
#pragma once

#include <QStringList>

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

// Applies --profile and --simulate to the services: the window path calls it too. False, with a
// one-line message on standard error, when a file they name cannot be read.
[[nodiscard]] bool applyDataOptions(const QStringList& arguments);

// Runs the command line under the caller's QCoreApplication (no display needed): writes the
// result to standard output and any error as one line on standard error; answers the exit status.
[[nodiscard]] int run(const QStringList& arguments);

} // namespace CommandLine
