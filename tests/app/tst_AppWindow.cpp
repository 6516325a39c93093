#include "Foundation/String.h"
#include "SimulatedDrives.h"
#include "app/AppWindow.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "app/DeviceTableModel.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"
#include "app/DiscRecording/SimulatedDriveBackend.h"
#include "support/PostedEvents.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace testfiles;

namespace {

// The simulated drives with no location in their information, as a backend that cannot tell
// reports them.
class LocationlessBackend final : public DriveBackend
{
public:
    explicit LocationlessBackend(const QString& path) : _drives(path)
    {
        connect(&_drives, &DriveBackend::driveAppeared, this, &DriveBackend::driveAppeared);
        connect(&_drives, &DriveBackend::driveDisappeared, this, &DriveBackend::driveDisappeared);
        connect(&_drives, &DriveBackend::driveStatusChanged, this, &DriveBackend::driveStatusChanged);
    }

    QStringList drives() override { return _drives.drives(); }
    tz::DictionaryPtr info(const QString& drive) override
    {
        const tz::DictionaryPtr info = _drives.info(drive);
        if (!info)
            return info;
        QList<tz::Dictionary::Entry> entries = info->entries();
        entries.removeIf([](const tz::Dictionary::Entry& entry) {
            return tz::textOf(entry.first) == DRDevicePhysicalInterconnectLocationKey;
        });
        return tz::Dictionary::make(entries);
    }
    tz::DictionaryPtr status(const QString& drive) override { return _drives.status(drive); }
    bool trayIsOpen(const QString& drive) override { return _drives.trayIsOpen(drive); }
    bool closeTray(const QString& drive) override { return _drives.closeTray(drive); }
    bool ejectMedia(const QString& drive) override { return _drives.ejectMedia(drive); }

private:
    SimulatedDriveBackend _drives;
};

} // namespace

class tst_AppWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void singletonLoadsItsLayoutOnce();
    void opensWithNoDrivesAndTheSupportedList();
    void tablesShowTheirRowKeys();
    void connectedTableFollowsTheDrives();
    void driveWithoutLocationStillGetsARow();
    void closingStopsTheNotifications();
    void unusableProfileGivesNoRows_data();
    void unusableProfileGivesNoRows();
    void remembersGeometryAndSplitters();
    void menuHasEveryItem_data();
    void menuHasEveryItem();
    void detailCommandsNeedDetails();

private:
    [[nodiscard]] QString path(const QString& name) const { return _drives.path(name); }
    void simulate(const QStringList& drives);
    [[nodiscard]] static QStringList column(const QTableView* table, int column);

    void useProfile(const QString& file) { _service.setSupportProfile(DeviceSupportProfile::readProfile(file)); }

    SimulatedDrives _drives;
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
};

void tst_AppWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(write(path(QStringLiteral("profile.drprofile")),
                  profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                                        {QStringLiteral("GH24NSD1")}),
                           profileEntry(QString(), QStringLiteral("ASUS"),
                                        {QStringLiteral("DRW-24D5MT"), QStringLiteral("BW-16D1HT")})})));
    _service.install();
    useProfile(path(QStringLiteral("profile.drprofile")));
    simulate({});
}

void tst_AppWindow::cleanup()
{
    _window.reset();
    QSettings().clear();
    useProfile(path(QStringLiteral("profile.drprofile")));
    simulate({});
}

// Switches the drive service to a fresh file with these drives.
void tst_AppWindow::simulate(const QStringList& drives)
{
    QVERIFY(!_drives.serve(_service, drives).isEmpty());
}

QStringList tst_AppWindow::column(const QTableView* table, int column)
{
    QStringList texts;
    const QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

void tst_AppWindow::singletonLoadsItsLayoutOnce()
{
    _window = AppWindow::appWindow(_service);
    QCOMPARE(AppWindow::appWindow(_service), _window);
    QMainWindow* window = _window->window();
    QCOMPARE(_window->window(), window);
    QVERIFY(window->isVisible());

    int layouts = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        layouts += widget->objectName() == QStringLiteral("AppWindow");
    QCOMPARE(layouts, 1);

    // Without holders the instance goes, window and all; the next call makes a new one.
    const QPointer<QMainWindow> old = window;
    _window.reset();
    QVERIFY(old.isNull());
    _window = AppWindow::appWindow(_service);
    QVERIFY(_window->isWindowLoaded());
}

void tst_AppWindow::opensWithNoDrivesAndTheSupportedList()
{
    _window = AppWindow::appWindow(_service);
    // A new observer hears of the attached drives on a later turn: let that turn pass.
    QVERIFY(testsupport::handlePostedEvents());
    QCOMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 0);
    QCOMPARE(_window->numberOfRowsInTableView(_window->supportedTable()), 3);
    QCOMPARE(_window->count()->text(), QStringLiteral("3 Supported Drives in This Version of OS-X"));
    QCOMPARE(column(_window->supportedTable(), 0),
             (QStringList{QStringLiteral("GH24NSD1"), QStringLiteral("DRW-24D5MT"), QStringLiteral("BW-16D1HT")}));
    QCOMPARE(
        column(_window->supportedTable(), 1),
        (QStringList{QStringLiteral("LG Electronics / HL-DT-ST"), QStringLiteral("ASUS"), QStringLiteral("ASUS")}));
    QVERIFY(_window->detailText()->toPlainText().isEmpty());
    QVERIFY(!_window->ejectButton()->isEnabled());
}

void tst_AppWindow::tablesShowTheirRowKeys()
{
    _window = AppWindow::appWindow(_service);
    const auto identifiers = [](const QTableView* table) {
        const auto* model = DeviceTableModel::of(table);
        QStringList ids;
        for (int c = 0; c < model->columnCount(); ++c)
            ids.append(model->columnIdentifier(c));
        return ids;
    };
    QCOMPARE(identifiers(_window->connectedTable()), (QStringList{modelKey, manufacturerKey, supportedKey}));
    QCOMPARE(identifiers(_window->supportedTable()), (QStringList{modelKey, manufacturerKey}));

    // Cells show the row's value under the column's key, and nothing where the row lacks it.
    const QTableView* supported = _window->supportedTable();
    const tz::DictionaryPtr row = _window->tableViewDictForRow(supported, 1);
    QCOMPARE(tz::describe(_window->tableViewObjectValueForTableColumnRow(supported, modelKey, 1)),
             tz::describe(row->objectForKey(modelKey)));
    QVERIFY(!_window->tableViewObjectValueForTableColumnRow(supported, supportedKey, 1));

    // Only the two tables have rows, and only inside them.
    QTableView stranger;
    QVERIFY(!_window->tableViewDictForRow(&stranger, 0));
    QCOMPARE(_window->numberOfRowsInTableView(&stranger), 0);
    QCOMPARE(_window->numberOfRowsInTableView(nullptr), 0);
    QVERIFY(!_window->tableViewDictForRow(supported, 3));
    QVERIFY(!_window->tableViewDictForRow(supported, -1));
}

void tst_AppWindow::connectedTableFollowsTheDrives()
{
    simulate({drive(QStringLiteral("sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                    QStringLiteral("Internal"), QStringLiteral("SATA"))});
    _window = AppWindow::appWindow(_service);
    const QTableView* connected = _window->connectedTable();
    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 1);

    const tz::DictionaryPtr row = _window->tableViewDictForRow(connected, 0);
    QStringList keys;
    for (const tz::Id& key : row->allKeys())
        keys.append(tz::textOf(key));
    QCOMPARE(keys, (QStringList{modelKey, manufacturerKey, supportedKey, infoKey, statusKey, deviceKey}));
    QCOMPARE(column(connected, 0), QStringList{QStringLiteral("HL-DT-ST GH24NSD1, Internal via SATA")});
    QCOMPARE(column(connected, 1), QStringList{QStringLiteral("HL-DT-ST")});
    QCOMPARE(column(connected, 2), QStringList{QStringLiteral("Supported")});
    const auto device = tz::cast<DRDevice>(row->objectForKey(deviceKey));
    QVERIFY(device);
    QVERIFY(tz::isEqual(row->objectForKey(infoKey), device->info()));

    simulate({drive(QStringLiteral("sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                    QStringLiteral("Internal"), QStringLiteral("SATA")),
              drive(QStringLiteral("usb1"), QStringLiteral("NoName"), QStringLiteral("Slim 8X"),
                    QStringLiteral("External"), QStringLiteral("USB"))});
    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 2);
    QCOMPARE(column(connected, 0).last(), QStringLiteral("NoName Slim 8X, External via USB"));
    QCOMPARE(column(connected, 2).last(), QStringLiteral("Unsupported"));

    simulate({});
    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 0);
}

void tst_AppWindow::driveWithoutLocationStillGetsARow()
{
    const QString file = path(QStringLiteral("located.plist"));
    QVERIFY(write(file,
                  simulation({drive(QStringLiteral("sr0"), QStringLiteral("ACME"), QStringLiteral("Writer"),
                                    QStringLiteral("Internal"), QStringLiteral("ATAPI"))})));
    _service.useBackend([file] { return std::make_unique<LocationlessBackend>(file); });
    QVERIFY(_service.waitForDrives());
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 1);
    const tz::DictionaryPtr row = _window->tableViewDictForRow(_window->connectedTable(), 0);
    const auto* info = tz::as<tz::Dictionary>(row->objectForKey(infoKey));
    QVERIFY(info);
    QVERIFY(!info->containsKey(tz::str(DRDevicePhysicalInterconnectLocationKey)));
    QCOMPARE(tz::textOf(row->objectForKey(modelKey)), QStringLiteral("ACME Writer, (null) via ATAPI"));
}

void tst_AppWindow::closingStopsTheNotifications()
{
    _window = AppWindow::appWindow(_service);
    QVERIFY(_window->window()->close());
    simulate({drive(QStringLiteral("sr0"), QStringLiteral("ACME"), QStringLiteral("Writer"), QStringLiteral("Internal"),
                    QStringLiteral("SATA"))});
    QVERIFY(testsupport::handlePostedEvents()); // the appearances have been posted by now
    QCOMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 0);

    // The same drives reach a window that is still listening.
    _window.reset();
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 1);
}

void tst_AppWindow::unusableProfileGivesNoRows_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("malformed") << QByteArray("<plist><array><dict><key>DRDevicePersonalities");
    QTest::newRow("root is a dictionary") << QByteArray(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><string>b</string></dict></plist>");
}

void tst_AppWindow::unusableProfileGivesNoRows()
{
    QFETCH(QByteArray, contents);
    const QString file = path(QString::fromUtf8(QTest::currentDataTag()));
    if (!contents.isNull())
        QVERIFY(write(file, QString::fromUtf8(contents)));
    useProfile(file);
    _window = AppWindow::appWindow(_service);
    QCOMPARE(_window->numberOfRowsInTableView(_window->supportedTable()), 0);
    QCOMPARE(_window->supportedTable()->model()->rowCount(), 0);
    QCOMPARE(_window->count()->text(), QStringLiteral("0 Supported Drives in This Version of OS-X"));
}

void tst_AppWindow::remembersGeometryAndSplitters()
{
    _window = AppWindow::appWindow(_service);
    QMainWindow* window = _window->window();
    window->resize(700, 500);
    auto* splitter = window->findChild<QSplitter*>(QStringLiteral("mainSplitter"));
    QVERIFY(splitter);
    QTRY_COMPARE(window->size(), QSize(700, 500));
    splitter->setSizes({300, 380});
    const QList<int> sizes = splitter->sizes();
    QVERIFY(window->close());
    _window.reset();

    _window = AppWindow::appWindow(_service);
    window = _window->window();
    QCOMPARE(window->size(), QSize(700, 500));
    QCOMPARE(window->findChild<QSplitter*>(QStringLiteral("mainSplitter"))->sizes(), sizes);
}

void tst_AppWindow::menuHasEveryItem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tag"); // -1: the command takes no tag
    QTest::newRow("actionSaveConnectedsAsText") << QStringLiteral("Save Connected Devices as Text…") << 0;
    QTest::newRow("actionSaveSupportedsAsText") << QStringLiteral("Save Supported Burners as Text…") << 1;
    QTest::newRow("actionSaveDetailAsText") << QStringLiteral("Save Details as Text…") << -1;
    QTest::newRow("actionPrintConnecteds") << QStringLiteral("Print Connected Devices…") << 0;
    QTest::newRow("actionPrintSupporteds") << QStringLiteral("Print Supported Burners…") << 1;
    QTest::newRow("actionPrintDocument") << QStringLiteral("Print…") << 2;
    QTest::newRow("actionPrintDetailView") << QStringLiteral("Print Details…") << -1;
    QTest::newRow("actionClose") << QStringLiteral("Close") << -1;
    QTest::newRow("actionShowHelpWindow") << QStringLiteral("Burner Catalogue Help") << -1;
}

void tst_AppWindow::menuHasEveryItem()
{
    QFETCH(QString, text);
    QFETCH(int, tag);
    _window = AppWindow::appWindow(_service);
    const QAction* action = _window->menuItem(QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(action);
    QCOMPARE(action->text(), text);
    if (tag >= 0)
        QCOMPARE(action->property("tag").toInt(), tag);
    QVERIFY(!action->associatedObjects().isEmpty()); // it is in a menu
}

void tst_AppWindow::detailCommandsNeedDetails()
{
    _window = AppWindow::appWindow(_service);
    const QAction* saveDetail = _window->menuItem(QStringLiteral("actionSaveDetailAsText"));
    QVERIFY(!_window->validateMenuItem(saveDetail));
    QVERIFY(!_window->validateMenuItem(_window->menuItem(QStringLiteral("actionPrintDetailView"))));
    QVERIFY(_window->validateMenuItem(_window->menuItem(QStringLiteral("actionPrintDocument"))));
    _window->detailText()->setPlainText(QStringLiteral("Device Information"));
    QVERIFY(_window->validateMenuItem(saveDetail));
}

QTEST_MAIN(tst_AppWindow)
#include "tst_AppWindow.moc"
