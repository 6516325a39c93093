// The program without a window, for scripts and machines without a display: lists the tables,
// shows a connected drive's details, ejects; the same rows and texts the window shows and saves.
#pragma once

#include <QStringList>

class DriveService;

namespace CommandLine {

// Exit statuses.
inline constexpr int success = 0;
inline constexpr int actionFailed = 1; // an eject or close that failed, standard output that cannot be written
inline constexpr int badArguments = 2; // unknown option, missing or wrong value, no such row, a bad data file,
                                       // no display for the window

// What the arguments ask for, read without acting on them.
struct Request
{
    enum class Action { Window, List, Details, Eject, Help, Version, Invalid };
    Action action = Action::Window;
    QString value; // List: the table's name; Details, Eject: the row as given
    bool json = false;
    bool verbose = false;
    QString profile;  // --profile's value; empty when not given
    QString simulate; // --simulate's value; empty when not given
    QString error;    // Invalid: the one-line message (without the program's name)
};

// The arguments without the toolkit's own options (-style Fusion, -platform offscreen,
// --reverse, -stylesheet=FILE, ...), which QApplication takes for itself.
[[nodiscard]] QStringList withoutToolkitOptions(const QStringList& arguments);

// Reads the arguments (program name first; toolkit options are left to the toolkit). Window
// when they name no action and nothing the window would not understand: only --profile,
// --simulate and --verbose (with their values) leave the program to the window. Needs no
// application object and touches nothing.
[[nodiscard]] Request parseArguments(const QStringList& arguments);

// Whether the arguments are for the command line (parseArguments does not answer Window).
[[nodiscard]] bool wantsCommandLine(const QStringList& arguments);

// Sets the service up from --simulate (else its default drives) and --profile (else the first
// profile DeviceSupportProfile::chosenPath finds), reading the profile file once for the service
// and the tables: the window path calls it too. False, with a one-line message on standard
// error, when a file they name cannot be read; the service is then left as it was.
[[nodiscard]] bool applyDataOptions(const Request& request, DriveService& service);

// Why the window cannot be shown here, as a line for printError; empty when a display (or a
// platform named in QT_QPA_PLATFORM) is there to try.
[[nodiscard]] QString displayProblem();

// One line on standard error: the program's name, ": " and the message, its control characters
// (a line feed in an option or a file name) shown as their pictures.
void printError(const QString& message);

// Runs the command line under the caller's QCoreApplication (no display needed) with the
// service, which applyDataOptions sets up: writes the result to standard output and any error
// as one line on standard error; answers the exit status. The library's diagnostic log lines
// are written only with --verbose.
[[nodiscard]] int run(const QStringList& arguments, DriveService& service);
[[nodiscard]] int run(const Request& request, DriveService& service);

} // namespace CommandLine
