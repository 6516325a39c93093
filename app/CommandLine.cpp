#include "app/CommandLine.h"

#include "Foundation/Dictionary.h"
#include "Foundation/LogLine.h"
#include "app/AppInfo.h"
#include "app/DetailsText.h"
#include "app/DeviceColumns.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "app/ObjectJson.h"
#include "app/TableText.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <pthread.h>

namespace CommandLine {

namespace {

struct Options
{
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("Print the table NAME (connected or supported) as tab-separated text: a "
                                           "line of column titles, then one line per drive."),
                            QStringLiteral("NAME")};
    QCommandLineOption details{QStringLiteral("details"),
                               QStringLiteral("Print the details of the connected drive in row N of --list "
                                              "connected, counted from 0."),
                               QStringLiteral("N")};
    QCommandLineOption eject{QStringLiteral("eject"),
                             QStringLiteral("Eject the medium of the connected drive in row N (counted from 0), or "
                                            "close its tray when it is open."),
                             QStringLiteral("N")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("With --list: an array of rows, one object per drive keyed MODEL, "
                                           "MANUFACTURER (and SUPPORTED for connected drives). With --details: "
                                           "{\"information\": {...}, \"status\": {...}}.")};
    QCommandLineOption profile{QStringLiteral("profile"),
                               QStringLiteral("Read the supported drives from this device-support profile."),
                               QStringLiteral("PATH")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
                                QStringLiteral("Use the simulated drives described in FILE instead of the real "
                                               "hardware."),
                                QStringLiteral("FILE")};
    QCommandLineOption verbose{QStringLiteral("verbose"),
                               QStringLiteral("Also write the program's diagnostic log lines on standard error.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(
            QStringLiteral(
                "Shows the optical disc recorders attached to this computer and the drive models a device-support "
                "profile lists. Without --list, --details or --eject it opens its window.\n\n"
                "No drives attached? --simulate %1/simulated-drives.plist shows simulated "
                "ones, in the window or with --list connected.\n\n"
                "Exit status: 0 success, 1 the action failed (eject, close), 2 bad arguments, no such row, a profile "
                "or simulation file that is not sound, or no display for the window.")
                .arg(AppInfo::dataDirectory()));
        parser.addOptions({list, details, eject, json, profile, simulate, verbose, help, version});
    }
};

// Control characters from the command line or a file name shown as their pictures (U+2400
// block), so a message stays one line and cannot move the terminal's cursor.
QString oneLine(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(char16_t(0x2400 + c.unicode()));
        else if (c.unicode() == 0x7F)
            c = QChar(char16_t(0x2421));
    }
    return text;
}

QString programName()
{
    return AppInfo::executableName();
}

void writeTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// One line on standard error; answers the status to exit with.
int fail(int status, const QString& message)
{
    printError(message);
    return status;
}

// Ends the program as SIGPIPE does by default, also where it is ignored (libdbus ignores it).
[[noreturn]] void endForBrokenPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
    std::raise(SIGPIPE);
    std::_Exit(128 + SIGPIPE);
}

// Writes the result. When the reader has gone (a closed pipe: `| head -1`) the program ends
// quietly, as cat and grep do; any other failed write (a full disk, /dev/full) is reported
// and is a failure.
int print(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written)
        return success;
    const int error = errno;
    if (error == EPIPE)
        endForBrokenPipe();
    return fail(
        actionFailed,
        error ? QStringLiteral("cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(error)))
              : QStringLiteral("cannot write to standard output"));
}

bool readable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

QString jsonText(const QJsonValue& value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Indented));
}

int listTable(const QString& name, bool asJson, const DriveService& service)
{
    QList<tz::Id> rows;
    const QList<DeviceColumn>* columns = nullptr;
    if (name == QLatin1String("connected")) {
        rows = DeviceRows::connectedRows();
        columns = &DeviceColumns::connectedColumns();
    } else if (name == QLatin1String("supported")) {
        rows = DeviceRows::supportedRowsFromProfile(service.supportProfile());
        columns = &DeviceColumns::supportedColumns();
    } else {
        return fail(badArguments, QStringLiteral("unknown list \"%1\" (use connected or supported)").arg(name));
    }

    const auto valueAt = [&](int row, int column) {
        const auto* dict = tz::as<tz::Dictionary>(rows.at(row));
        return dict ? dict->objectForKey(columns->at(column).identifier) : tz::Id();
    };
    if (asJson) {
        QJsonArray array;
        for (int row = 0; row < rows.size(); ++row) {
            QJsonObject object;
            for (int column = 0; column < columns->size(); ++column) {
                // A key the row lacks is left out, as the row leaves it out.
                if (const tz::Id value = valueAt(row, column))
                    object.insert(columns->at(column).identifier, DeviceColumns::cellText(value));
            }
            array.append(object);
        }
        return print(jsonText(array));
    }
    QStringList titles;
    for (const DeviceColumn& column : *columns)
        titles.append(column.title);
    return print(TableText::tableToText(
        titles, int(rows.size()), [&](int row, int column) { return DeviceColumns::cellText(valueAt(row, column)); }));
}

// The connected row the argument names, or nil after reporting why there is none.
tz::DictionaryPtr connectedRow(const QString& argument, int& status)
{
    bool ok = false;
    const int row = argument.toInt(&ok);
    const QList<tz::Id> rows = DeviceRows::connectedRows();
    if (!ok || row < 0 || row >= rows.size()) {
        status = fail(
            badArguments,
            rows.isEmpty()
                ? QStringLiteral("no connected drive at row \"%1\" (no drives are connected)").arg(argument)
                : QStringLiteral("no connected drive at row \"%1\" (rows 0 to %2)").arg(argument).arg(rows.size() - 1));
        return {};
    }
    return tz::cast<tz::Dictionary>(rows.at(row));
}

int showDetails(const QString& argument, bool asJson)
{
    int status = success;
    const tz::DictionaryPtr row = connectedRow(argument, status);
    if (!row)
        return status;
    if (asJson) {
        const auto device = tz::cast<DRDevice>(row->objectForKey(deviceKey));
        QJsonObject object;
        object.insert(QStringLiteral("information"), ObjectJson::toJson(row->objectForKey(infoKey)));
        object.insert(QStringLiteral("status"), ObjectJson::toJson(device ? device->status() : tz::Id()));
        return print(jsonText(object));
    }
    QString text = DetailsText::forRow(row).string();
    // The styled text's separators become plain line ends.
    text.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n').replace(QChar::Nbsp, u' ');
    if (!text.endsWith(u'\n'))
        text += u'\n';
    return print(text);
}

// As the window's eject button: an open tray is closed, otherwise the medium is ejected.
int eject(const QString& argument)
{
    int status = success;
    const tz::DictionaryPtr row = connectedRow(argument, status);
    if (!row)
        return status;
    const auto device = tz::cast<DRDevice>(row->objectForKey(deviceKey));
    if (!device)
        return fail(actionFailed, QStringLiteral("the drive in row %1 cannot be ejected").arg(argument));
    if (device->trayIsOpen()) {
        if (!device->closeTray())
            return fail(actionFailed, QStringLiteral("Device %1 failed to close").arg(device->displayName()));
    } else if (!device->ejectMedia()) {
        return fail(actionFailed, QStringLiteral("Device %1 failed to open").arg(device->displayName()));
    }
    return success;
}

} // namespace

QStringList withoutToolkitOptions(const QStringList& arguments)
{
    // QGuiApplication's and QApplication's options; Qt reads them with one dash or two, and a
    // value either as the next argument or after "=".
    static const QStringList withValue{QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                       QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                       QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                       QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
                                       QStringLiteral("display"),         QStringLiteral("geometry"),
                                       QStringLiteral("style"),           QStringLiteral("stylesheet"),
                                       QStringLiteral("title"),           QStringLiteral("name"),
                                       QStringLiteral("visual")};
    static const QStringList flags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                   QStringLiteral("sync"),    QStringLiteral("qmljsdebugger"),
                                   QStringLiteral("dialogs"), QStringLiteral("fontengine")};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (i > 0 && argument == QLatin1String("--")) {
            kept.append(arguments.mid(i)); // the end of options
            break;
        }
        if (i == 0 || !argument.startsWith(u'-')) {
            kept.append(argument);
            continue;
        }
        const QString bare = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = bare.indexOf(u'=');
        const QString name = equals < 0 ? bare : bare.left(equals);
        if (withValue.contains(name)) {
            if (equals < 0)
                ++i; // the value
            continue;
        }
        if (flags.contains(name))
            continue;
        kept.append(argument);
    }
    return kept;
}

Request parseArguments(const QStringList& arguments)
{
    using Action = Request::Action;
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    Request request;
    const auto invalid = [&request](const QString& message) {
        request.action = Action::Invalid;
        request.error = message;
        return request;
    };
    if (!parser.parse(withoutToolkitOptions(arguments)))
        return invalid(parser.errorText());
    request.json = parser.isSet(options.json);
    request.verbose = parser.isSet(options.verbose);
    request.profile = parser.value(options.profile);
    request.simulate = parser.value(options.simulate);
    if (parser.isSet(options.help)) {
        request.action = Action::Help;
        return request;
    }
    if (parser.isSet(options.version)) {
        request.action = Action::Version;
        return request;
    }
    if (!parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    const int actions =
        int(parser.isSet(options.list)) + int(parser.isSet(options.details)) + int(parser.isSet(options.eject));
    if (actions == 0 && !request.json)
        return request; // the window
    if (actions != 1)
        return invalid(QStringLiteral("give one of --list, --details and --eject (see --help)"));
    if (request.json && parser.isSet(options.eject))
        return invalid(QStringLiteral("--json goes with --list or --details"));
    if (parser.isSet(options.list)) {
        request.action = Action::List;
        request.value = parser.value(options.list);
    } else if (parser.isSet(options.details)) {
        request.action = Action::Details;
        request.value = parser.value(options.details);
    } else {
        request.action = Action::Eject;
        request.value = parser.value(options.eject);
    }
    return request;
}

bool wantsCommandLine(const QStringList& arguments)
{
    return parseArguments(arguments).action != Request::Action::Window;
}

bool applyDataOptions(const Request& request, DriveService& service)
{
    if (!request.simulate.isEmpty() && !readable(request.simulate)) {
        fail(badArguments, QStringLiteral("cannot read the drive simulation \"%1\"").arg(request.simulate));
        return false;
    }
    if (!request.profile.isEmpty() && !readable(request.profile)) {
        fail(badArguments, QStringLiteral("cannot read the profile \"%1\"").arg(request.profile));
        return false;
    }
    // Read once, here: support levels are judged against the profile the supported table lists,
    // and the service has it before its first drive is read.
    const QString profilePath = DeviceSupportProfile::chosenPath(request.profile);
    QString profileProblem;
    const tz::Id profileRoot = DeviceSupportProfile::readProfile(profilePath, &profileProblem);
    service.setSupportProfile(profileRoot, profilePath, profileProblem);
    if (request.simulate.isEmpty())
        service.useDefaultDrives();
    else
        service.useSimulatedDrives(request.simulate);
    return true;
}

QString displayProblem()
{
    // A platform named outright is Qt's to try; its failure is caught where the window is made.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral("no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                          "--list, --details and --eject work without one");
}

void printError(const QString& message)
{
    writeTo(stderr, programName() + QStringLiteral(": ") + oneLine(message) + u'\n');
}

int run(const QStringList& arguments, DriveService& service)
{
    return run(parseArguments(arguments), service);
}

int run(const Request& request, DriveService& service)
{
    using Action = Request::Action;
    // Diagnostics are for whoever asks for them; standard error is for the one failure line.
    tz::setLoggingEnabled(request.verbose);
    if (!request.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("burner.*=false"));

    switch (request.action) {
    case Action::Invalid: return fail(badArguments, request.error);
    case Action::Help: {
        const Options options;
        QCommandLineParser parser;
        options.addTo(parser);
        const QString help = parser.helpText();
        return print(help.endsWith(u'\n') ? help : help + u'\n');
    }
    case Action::Version: return print(QStringLiteral("%1 %2\n").arg(programName(), AppInfo::version()));
    case Action::Window:
        return fail(badArguments, QStringLiteral("give one of --list, --details and --eject (see --help)"));
    case Action::List:
    case Action::Details:
    case Action::Eject: break;
    }
    if (!applyDataOptions(request, service))
        return badArguments;
    const QString simulationProblem = service.simulationProblem();
    if (!simulationProblem.isEmpty())
        return fail(badArguments,
                    QStringLiteral("the drive simulation \"%1\" %2").arg(service.simulationPath(), simulationProblem));
    if (const QString profileProblem = service.supportProfileProblem(); !profileProblem.isEmpty())
        return fail(badArguments,
                    QStringLiteral("the profile \"%1\" %2")
                        .arg(DeviceSupportProfile::displayPath(service.supportProfilePath()), profileProblem));
    if (!service.waitForDrives())
        return fail(actionFailed, QStringLiteral("the drives did not answer in time"));

    if (request.action == Action::List)
        return listTable(request.value, request.json, service);
    if (request.action == Action::Details)
        return showDetails(request.value, request.json);
    return eject(request.value);
}

} // namespace CommandLine
