#include "app/CommandLine.h"

#include "Foundation/Dictionary.h"
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
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

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
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(QStringLiteral(
            "Shows the optical disc recorders attached to this computer and the drive models a device-support "
            "profile lists. Without --list, --details or --eject it opens its window.\n\n"
            "Exit status: 0 success, 1 the action failed (eject, close), 2 bad arguments or no such row."));
        parser.addOptions({list, details, eject, json, profile, simulate, help, version});
    }
};

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
    writeTo(stderr, programName() + QStringLiteral(": ") + message + u'\n');
    return status;
}

// Writes the result; a failed write to standard output (a closed pipe, a full disk) is a failure.
int print(const QString& text)
{
    writeTo(stdout, text);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail(actionFailed, QStringLiteral("cannot write to standard output"));
    return success;
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
                const tz::Id value = valueAt(row, column);
                object.insert(columns->at(column).identifier,
                              value ? QJsonValue(DeviceColumns::cellText(value)) : QJsonValue());
            }
            array.append(object);
        }
        return print(jsonText(array));
    }
    QStringList titles;
    for (const DeviceColumn& column : *columns)
        titles.append(column.title);
    return print(TableText::tableToText(titles, int(rows.size()), [&](int row, int column) {
        return DeviceColumns::cellText(valueAt(row, column));
    }));
}

// The connected row the argument names, or nil after reporting why there is none.
tz::DictionaryPtr connectedRow(const QString& argument, int& status)
{
    bool ok = false;
    const int row = argument.toInt(&ok);
    const QList<tz::Id> rows = DeviceRows::connectedRows();
    if (!ok || row < 0 || row >= rows.size()) {
        status = fail(badArguments, rows.isEmpty()
                                        ? QStringLiteral("no connected drive at row \"%1\" (no drives are connected)")
                                              .arg(argument)
                                        : QStringLiteral("no connected drive at row \"%1\" (rows 0 to %2)")
                                              .arg(argument)
                                              .arg(rows.size() - 1));
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

bool wantsCommandLine(const QStringList& arguments)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty())
        return true;
    for (const QCommandLineOption* option :
         {&options.list, &options.details, &options.eject, &options.json, &options.help, &options.version}) {
        if (parser.isSet(*option))
            return true;
    }
    return false;
}

bool applyDataOptions(const QStringList& arguments, DriveService& service)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return false;
    const QString simulation = parser.isSet(options.simulate) ? parser.value(options.simulate) : QString();
    if (parser.isSet(options.simulate) && !readable(simulation)) {
        fail(badArguments, QStringLiteral("cannot read the drive simulation \"%1\"").arg(simulation));
        return false;
    }
    const QString profile = parser.isSet(options.profile) ? parser.value(options.profile) : QString();
    if (parser.isSet(options.profile) && !readable(profile)) {
        fail(badArguments, QStringLiteral("cannot read the profile \"%1\"").arg(profile));
        return false;
    }
    // Support levels are judged against the profile the supported table lists: the service
    // has it before its first drive is read.
    service.setSupportProfile(DeviceSupportProfile::readProfile(DeviceSupportProfile::chosenPath(profile)));
    if (simulation.isEmpty())
        service.useDefaultDrives();
    else
        service.useSimulatedDrives(simulation);
    return true;
}

int run(const QStringList& arguments, DriveService& service)
{
    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return fail(badArguments, parser.errorText());
    if (parser.isSet(options.help))
        return print(parser.helpText().endsWith(u'\n') ? parser.helpText() : parser.helpText() + u'\n');
    if (parser.isSet(options.version))
        return print(QStringLiteral("%1 %2\n").arg(programName(), AppInfo::version()));
    if (!parser.positionalArguments().isEmpty())
        return fail(badArguments, QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    const int actions = int(parser.isSet(options.list)) + int(parser.isSet(options.details)) +
                        int(parser.isSet(options.eject));
    if (actions != 1)
        return fail(badArguments, QStringLiteral("give one of --list, --details and --eject (see --help)"));
    const bool asJson = parser.isSet(options.json);
    if (asJson && parser.isSet(options.eject))
        return fail(badArguments, QStringLiteral("--json goes with --list or --details"));
    if (!applyDataOptions(arguments, service))
        return badArguments;
    if (!service.waitForDrives())
        return fail(actionFailed, QStringLiteral("the drives did not answer in time"));

    if (parser.isSet(options.list))
        return listTable(parser.value(options.list), asJson, service);
    if (parser.isSet(options.details))
        return showDetails(parser.value(options.details), asJson);
    return eject(parser.value(options.eject));
}

} // namespace CommandLine
