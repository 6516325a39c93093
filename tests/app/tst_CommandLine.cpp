// The command line as scripts see it: the built program run as a child process with no display.
#include "SimulatedDrives.h"
#include "app/AppWindow.h"
#include "app/CommandLine.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>

using namespace testfiles;

namespace {

// A display number no X server on this machine has: no socket, abstract or in /tmp/.X11-unix,
// and no lock file.
int unusedDisplayNumber()
{
    QFile sockets(QStringLiteral("/proc/net/unix"));
    const QByteArray listening = sockets.open(QIODevice::ReadOnly) ? sockets.readAll() : QByteArray();
    for (int number = 4321;; ++number) {
        const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
        if (!listening.contains(socket + '\n') && !QFile::exists(QString::fromLatin1(socket))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return number;
    }
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void listEqualsTheWindowsExport_data();
    void listEqualsTheWindowsExport();
    void listAsJson();
    void detailsAsJson();
    void detailsAsPlainText();
    void exitStatus_data();
    void exitStatus();
    void rowWithoutAModel();
    void noDisplay_data();
    void noDisplay();

private:
    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };
    [[nodiscard]] QString path(const QString& name) const { return _dir.filePath(name); }
    // The program with the test's drives and profile, and no display to talk to.
    [[nodiscard]] Result run(const QStringList& arguments, const QStringList& environmentSettings = {}) const;

    QTemporaryDir _dir;
};

void tst_CommandLine::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(write(path(QStringLiteral("profile.drprofile")),
                  profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                                        {QStringLiteral("DVDRAM GH24NSD1")}),
                           profileEntry(QString(), QStringLiteral("ASUS"),
                                        {QStringLiteral("DRW-24D5MT"), QStringLiteral("BW-16D1HT")})})));
    // sr0 holds a mounted disc (ejecting it fails); sr1's tray is open (ejecting closes it).
    QString mounted = drive(QStringLiteral("/dev/sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("DVDRAM GH24NSD1"),
                            QStringLiteral("Internal"), QStringLiteral("SATA"));
    mounted.replace(QStringLiteral("</dict>"),
                    QStringLiteral("<key>Media</key><dict><key>Type</key><string>DVDR</string><key>State</key>"
                                   "<string>Complete</string><key>Mounted</key><true/></dict></dict>"));
    QString open = drive(QStringLiteral("/dev/sr1"), QStringLiteral("NoName"), QStringLiteral("Slim 8X"),
                         QStringLiteral("External"), QStringLiteral("USB"));
    open.replace(QStringLiteral("</dict>"), QStringLiteral("<key>TrayOpen</key><true/></dict>"));
    QVERIFY(write(path(QStringLiteral("drives.plist")), simulation({mounted, open})));
    QVERIFY(write(path(QStringLiteral("none.plist")), simulation({})));
    QVERIFY(write(path(QStringLiteral("garbage")), QStringLiteral("this is not a property list\n")));
    QVERIFY(write(path(QStringLiteral("dictionary.plist")),
                  QStringLiteral("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>")));
    QVERIFY(write(path(QStringLiteral("array.plist")),
                  QStringLiteral("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>")));
    // One personality without a product name: its row has no MODEL.
    QVERIFY(write(path(QStringLiteral("nameless.drprofile")),
                  profile({QStringLiteral("<dict><key>DRDevicePersonalities</key><dict><key>DRDeviceVendorName</key>"
                                          "<string>Acme</string></dict><key>DRDeviceProfile</key><dict/></dict>")})));
}

tst_CommandLine::Result tst_CommandLine::run(const QStringList& arguments, const QStringList& environmentSettings) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "BURNER_CATALOGUE_SIMULATE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& setting : environmentSettings)
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(BURNER_CATALOGUE_BIN),
                  QStringList{QStringLiteral("--simulate"), path(QStringLiteral("drives.plist")),
                              QStringLiteral("--profile"), path(QStringLiteral("profile.drprofile"))}
                      + arguments);
    Result result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_CommandLine::listEqualsTheWindowsExport_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("lines");
    QTest::newRow("connected") << QStringLiteral("connected") << 3;
    QTest::newRow("supported") << QStringLiteral("supported") << 4;
}

void tst_CommandLine::listEqualsTheWindowsExport()
{
    QFETCH(QString, list);
    QFETCH(int, lines);
    const Result result = run({QStringLiteral("--list"), list});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.out.count(u'\n'), lines);

    // The window over the same files saves the same text.
    QSettings().clear();
    DriveService service;
    service.install();
    QVERIFY(CommandLine::applyDataOptions(
        CommandLine::parseArguments({QStringLiteral("burner-catalogue"), QStringLiteral("--simulate"),
                                     path(QStringLiteral("drives.plist")), QStringLiteral("--profile"),
                                     path(QStringLiteral("profile.drprofile"))}),
        service));
    const std::shared_ptr<AppWindow> window = AppWindow::appWindow(service);
    QTRY_COMPARE(window->numberOfRowsInTableView(window->connectedTable()), 2);
    const QTableView* table = list == QLatin1String("connected") ? window->connectedTable() : window->supportedTable();
    QCOMPARE(result.out, window->tableToText(table));
}

void tst_CommandLine::listAsJson()
{
    const Result result = run({QStringLiteral("--list"), QStringLiteral("connected"), QStringLiteral("--json")});
    QCOMPARE(result.status, 0);
    QJsonParseError error{};
    const QJsonArray rows = QJsonDocument::fromJson(result.out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(rows.size(), 2);
    const QJsonObject second = rows.at(1).toObject();
    QCOMPARE(second.keys(),
             (QStringList{QStringLiteral("MANUFACTURER"), QStringLiteral("MODEL"), QStringLiteral("SUPPORTED")}));
    QCOMPARE(second.value(QStringLiteral("MODEL")).toString(), QStringLiteral("NoName Slim 8X, External via USB"));
    QCOMPARE(second.value(QStringLiteral("SUPPORTED")).toString(), QStringLiteral("Unsupported"));
    QCOMPARE(rows.at(0).toObject().value(QStringLiteral("SUPPORTED")).toString(), QStringLiteral("Supported"));
}

void tst_CommandLine::detailsAsJson()
{
    const Result result = run({QStringLiteral("--details"), QStringLiteral("1"), QStringLiteral("--json")});
    QCOMPARE(result.status, 0);
    const QJsonObject details = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(details.keys(), (QStringList{QStringLiteral("information"), QStringLiteral("status")}));
    const QJsonObject information = details.value(QStringLiteral("information")).toObject();
    QCOMPARE(information.value(QStringLiteral("DRDeviceVendorNameKey")).toString(), QStringLiteral("NoName"));
    QVERIFY(information.value(QStringLiteral("DRDeviceWriteCapabilitiesKey")).isObject());
    const QJsonObject status = details.value(QStringLiteral("status")).toObject();
    QCOMPARE(status.value(QStringLiteral("DRDeviceIsTrayOpenKey")), QJsonValue(true));
}

void tst_CommandLine::detailsAsPlainText()
{
    const Result result = run({QStringLiteral("--details"), QStringLiteral("1")});
    QCOMPARE(result.status, 0);
    // The details pane's text: both sections, names without their service prefix, no styles.
    static const QRegularExpression layout(
        QStringLiteral("^Device Information \\n\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\\n\\n(.|\\n)*"
                       "VendorName: NoName\\n(.|\\n)*\\nDevice Status\\n[-0-9: +]+\\n\\n(.|\\n)*IsTrayOpen: YES\\n"));
    QVERIFY2(layout.match(result.out).hasMatch(), qPrintable(result.out));
}

void tst_CommandLine::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // on standard error (one line), or in the output on success

    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    QTest::newRow("unknown option") << QStringList{s("--bogus")} << 2 << s("Unknown option 'bogus'");
    QTest::newRow("list without a name") << QStringList{s("--list")} << 2 << s("Missing value after '--list'");
    QTest::newRow("unknown list") << QStringList{s("--list"), s("drives")} << 2 << s("unknown list \"drives\"");
    QTest::newRow("row past the end") << QStringList{s("--details"), s("2")} << 2
                                      << s("no connected drive at row \"2\"");
    QTest::newRow("negative row") << QStringList{s("--eject"), s("-1")} << 2 << s("no connected drive at row \"-1\"");
    QTest::newRow("row not a number") << QStringList{s("--details"), s("first")} << 2 << s("at row \"first\"");
    QTest::newRow("two actions") << QStringList{s("--list"), s("connected"), s("--eject"), s("0")} << 2
                                 << s("give one of --list, --details and --eject");
    QTest::newRow("json alone") << QStringList{s("--json")} << 2 << s("give one of");
    QTest::newRow("json with eject") << QStringList{s("--eject"), s("1"), s("--json")} << 2
                                     << s("--json goes with --list or --details");
    QTest::newRow("stray argument") << QStringList{s("connected")} << 2 << s("unexpected argument \"connected\"");
    QTest::newRow("unreadable profile") << QStringList{s("--list"), s("supported"), s("--profile"), s("/nonexistent")}
                                        << 2 << s("cannot read the profile \"/nonexistent\"");
    QTest::newRow("eject fails") << QStringList{s("--eject"), s("0")} << 1
                                 << s("Device HL-DT-ST DVDRAM GH24NSD1 failed to open");
    QTest::newRow("eject closes an open tray") << QStringList{s("--eject"), s("1")} << 0 << QString();
    QTest::newRow("version") << QStringList{s("--version")} << 0 << s("burner-catalogue ");
    QTest::newRow("help") << QStringList{s("--help")} << 0 << s("counted from 0");
    QTest::newRow("help names the simulation")
        << QStringList{s("--help")} << 0 << s("--simulate " BURNER_CATALOGUE_DATADIR "/simulated-drives.plist");

    // Files that are there but are not what they should be.
    const QString garbage = path(s("garbage"));
    QTest::newRow("profile not a property list")
        << QStringList{s("--list"), s("supported"), s("--profile"), garbage} << 2
        << QStringLiteral("the profile \"%1\" is not a property list").arg(garbage);
    QTest::newRow("profile not an array")
        << QStringList{s("--list"), s("connected"), s("--profile"), path(s("dictionary.plist"))} << 2
        << s("is not a device-support profile (its root is not an array)");
    QTest::newRow("simulation not a property list")
        << QStringList{s("--list"), s("connected"), s("--simulate"), garbage} << 2
        << QStringLiteral("the drive simulation \"%1\" is not a property list").arg(garbage);
    QTest::newRow("simulation not a dictionary")
        << QStringList{s("--details"), s("0"), s("--simulate"), path(s("array.plist"))} << 2
        << s("is not a drive simulation (its root is not a dictionary)");

    // The toolkit's own options are the toolkit's; ours still get their one line.
    QTest::newRow("toolkit style option")
        << QStringList{s("-style"), s("Fusion"), s("--list"), s("supported")} << 0 << s("Model\tManufacturer\n");
    QTest::newRow("toolkit options in both spellings")
        << QStringList{s("--platform"),        s("offscreen"), s("-reverse"),
                       s("-stylesheet=x.qss"), s("--list"),    s("connected")}
        << 0 << s("Model\tManufacturer\tSupported\n");
    // Control characters the user passed stay on the one line, as their pictures.
    QTest::newRow("option with a line feed") << QStringList{s("--bo\ngus")} << 2 << s("Unknown option 'bo\u240Agus'");
    QTest::newRow("profile name with a line feed and an escape")
        << QStringList{s("--list"), s("supported"), s("--profile"), s("/none\n\x1b[2J")} << 2
        << s("cannot read the profile \"/none\u240A\u241B[2J\"");
    QTest::newRow("unknown option beside a toolkit one")
        << QStringList{s("-style"), s("Fusion"), s("--colour")} << 2 << s("Unknown option 'colour'");
}

void tst_CommandLine::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    const Result result = run(arguments);
    QCOMPARE(result.status, status);
    if (status == 0) {
        QCOMPARE(result.err, QString());
        QVERIFY2(result.out.contains(message), qPrintable(result.out));
        QVERIFY(message.isEmpty() || result.out.endsWith(u'\n'));
    } else {
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.startsWith(QStringLiteral("burner-catalogue: ")), qPrintable(result.err));
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.err.count(u'\n'), 1);
        QVERIFY(result.err.endsWith(u'\n'));
    }
}

void tst_CommandLine::rowWithoutAModel()
{
    const QStringList arguments{QStringLiteral("--list"), QStringLiteral("supported"), QStringLiteral("--json"),
                                QStringLiteral("--profile"), path(QStringLiteral("nameless.drprofile"))};
    const Result quiet = run(arguments);
    QCOMPARE(quiet.status, 0);
    const QJsonArray rows = QJsonDocument::fromJson(quiet.out.toUtf8()).array();
    QCOMPARE(rows.size(), 1);
    // The key the row lacks is absent, not null.
    QCOMPARE(rows.at(0).toObject().keys(), QStringList{QStringLiteral("MANUFACTURER")});
    // The library's log line about the missing value only when asked for.
    QCOMPARE(quiet.err, QString());
    const Result verbose = run(arguments + QStringList{QStringLiteral("--verbose")});
    QCOMPARE(verbose.status, 0);
    QCOMPARE(verbose.out, quiet.out);
    QVERIFY2(verbose.err.contains(QStringLiteral("dictionaryBySettingObject")), qPrintable(verbose.err));
}

void tst_CommandLine::noDisplay_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("message");
    QTest::newRow("no display set") << QStringList() << QStringLiteral("no display to open the window on");
    QTest::newRow("display that is not there")
        << QStringList{QStringLiteral("DISPLAY=:%1").arg(unusedDisplayNumber())}
        << QStringLiteral("cannot open the window: could not connect to display");
}

void tst_CommandLine::noDisplay()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, message);
    // No action: the window is asked for.
    const Result result = run({}, environment);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith(QStringLiteral("burner-catalogue: ")), qPrintable(result.err));
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), 1);
}

QTEST_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
