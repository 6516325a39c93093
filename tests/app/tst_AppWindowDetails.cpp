// The details pane and the eject button of the device window, over simulated drives.
#include "Foundation/String.h"
#include "SimulatedDrives.h"
#include "support/PostedEvents.h"
#include "support/StdErrCapture.h"
#include "app/AppWindow.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace testfiles;

class tst_AppWindowDetails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void connectedRowShowsInformationAndLiveStatus();
    void sameRowTwiceBuildsOnceAndStatusChangeRebuilds();
    void supportedRowShowsInformationOnly();
    void devicePathShowsIcons();
    void mountPointShowsIcons();
    void clickBelowTheRowsClearsThePane();
    void ejectTogglesTheTray();
    void failedEjectLogsOneLine();

private:
    [[nodiscard]] QString path(const QString& name) const { return _drives.path(name); }
    void simulate(const QStringList& drives);
    void clickRow(QTableView* table, int row);
    [[nodiscard]] QString details() const { return _window->detailText()->toPlainText(); }
    [[nodiscard]] QAction* item(const char* name) const { return _window->menuItem(QString::fromUtf8(name)); }
    void postStatusChange(int connectedRow);

    SimulatedDrives _drives;
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
};

void tst_AppWindowDetails::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(write(path(QStringLiteral("profile.drprofile")),
                  profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                                        {QStringLiteral("GH24NSD1")})})));
    _service.install();
    _service.setSupportProfile(DeviceSupportProfile::readProfile(path(QStringLiteral("profile.drprofile"))));
}

void tst_AppWindowDetails::init()
{
    simulate({withKeys(drive(QStringLiteral("sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                             QStringLiteral("Internal"), QStringLiteral("SATA")),
                       closedWithBlankDisc),
              withKeys(drive(QStringLiteral("sr1"), QStringLiteral("ASUS"), QStringLiteral("SDRW-08D2S-U"),
                             QStringLiteral("External"), QStringLiteral("USB")),
                       QStringLiteral("<key>TrayOpen</key><true/>")),
              withKeys(drive(QStringLiteral("sr2"), QStringLiteral("ACME"), QStringLiteral("Busy Writer"),
                             QStringLiteral("Internal"), QStringLiteral("ATAPI")),
                       mountedDisc)});
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 3);
}

void tst_AppWindowDetails::cleanup()
{
    _window.reset();
    QSettings().clear();
}

void tst_AppWindowDetails::simulate(const QStringList& drives)
{
    QVERIFY(!_drives.serve(_service, drives).isEmpty());
}

void tst_AppWindowDetails::clickRow(QTableView* table, int row)
{
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QVERIFY(cell.isValid());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

void tst_AppWindowDetails::devicePathShowsIcons()
{
    // A drive whose path exists only up to its folder: an icon before every component.
    const QString devicePath = path(QStringLiteral("dev/sr9"));
    _window.reset();
    simulate({withKeys(drive(devicePath, QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                             QStringLiteral("Internal"), QStringLiteral("SATA")),
                       closedWithBlankDisc)});
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 1);
    clickRow(_window->connectedTable(), 0);

    QString iconic = devicePath;
    iconic.replace(u'/', QStringLiteral("/\ufffc")).prepend(QChar(0xFFFC));
    const QString text = details();
    QVERIFY2(text.endsWith(QStringLiteral("\nDevice Path\n") + iconic + u'\n'), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("\nDevice Path\n")) > text.indexOf(QStringLiteral("\nDevice Status\n")));
    int images = 0;
    for (QTextBlock block = _window->detailText()->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            images += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
    }
    QCOMPARE(images, iconic.count(QChar(0xFFFC)));
}

void tst_AppWindowDetails::mountPointShowsIcons()
{
    // A mounted disc: its mount point follows the device path (devicePathShowsIcons: nothing
    // follows without one).
    const QString devicePath = path(QStringLiteral("dev/sr9"));
    const QString mountPoint = path(QStringLiteral("media/DISC"));
    QVERIFY(QDir().mkpath(mountPoint));
    _window.reset();
    const QString mounted = QStringLiteral("<key>Media</key><dict><key>Type</key><string>DVDROM</string>"
                                           "<key>State</key><string>Complete</string><key>Mounted</key><true/>"
                                           "<key>MountPoint</key><string>%1</string></dict>")
                                .arg(mountPoint);
    simulate({withKeys(drive(devicePath, QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                             QStringLiteral("Internal"), QStringLiteral("SATA")),
                       mounted)});
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 1);
    clickRow(_window->connectedTable(), 0);

    const auto iconic = [](QString path) {
        return path.replace(u'/', QStringLiteral("/\ufffc")).prepend(QChar(0xFFFC));
    };
    const QString text = details();
    QVERIFY2(text.contains(QStringLiteral("MountPoint: ") + mountPoint), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("\nDevice Path\n") + iconic(devicePath) + QStringLiteral("\n\nMount Point\n")
                           + iconic(mountPoint) + u'\n'),
             qPrintable(text));
}

void tst_AppWindowDetails::postStatusChange(int connectedRow)
{
    const tz::DictionaryPtr row = _window->tableViewDictForRow(_window->connectedTable(), connectedRow);
    _service.notificationCenter()->postNotification({DRDeviceStatusChangedNotification, row->objectForKey(deviceKey)});
}

void tst_AppWindowDetails::connectedRowShowsInformationAndLiveStatus()
{
    QTableView* connected = _window->connectedTable();
    QVERIFY(details().isEmpty());
    QVERIFY(!item("actionSaveDetailAsText")->isEnabled());
    QVERIFY(!item("actionPrintDetailView")->isEnabled());

    clickRow(connected, 0);
    QCOMPARE(_window->viewLastDetailed(), connected);
    QCOMPARE(_window->rowLastDetailed(), 0);
    QVERIFY(_window->ejectButton()->isEnabled());
    QVERIFY(item("actionSaveDetailAsText")->isEnabled());
    QVERIFY(item("actionPrintDetailView")->isEnabled());

    const QString text = details();
    QVERIFY2(text.startsWith(QStringLiteral("Device Information \n")), qPrintable(text));
    const qsizetype status = text.indexOf(QStringLiteral("\nDevice Status\n"));
    QVERIFY2(status > 0, qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("VendorName: HL-DT-ST\n")) < status);
    QVERIFY(text.indexOf(QStringLiteral("IsTrayOpen: NO\n")) > status);

    // Key names are blue in the view; their values are not.
    QTextDocument* document = _window->detailText()->document();
    const QTextBlock line = document->findBlock(int(text.indexOf(QStringLiteral("IsTrayOpen: NO"))));
    QVERIFY(line.isValid());
    QTextCursor cursor(line);
    cursor.movePosition(QTextCursor::Right); // the format of the first character
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::blue));
    cursor.movePosition(QTextCursor::EndOfBlock);
    QVERIFY(cursor.charFormat().foreground().color() != QColor(Qt::blue));
}

void tst_AppWindowDetails::sameRowTwiceBuildsOnceAndStatusChangeRebuilds()
{
    QTableView* connected = _window->connectedTable();
    QSignalSpy changes(_window->detailText()->document(), &QTextDocument::contentsChanged);
    clickRow(connected, 1); // selects on press, then the click on the same row
    const qsizetype afterFirst = changes.count();
    QVERIFY(afterFirst > 0);

    clickRow(connected, 1);
    _window->tableViewSelectionDidChange(connected);
    QCOMPARE(changes.count(), afterFirst);

    // A status change of any drive re-reads the selected one's status, though the row is the same.
    postStatusChange(0);
    QTRY_VERIFY(changes.count() > afterFirst);
    QCOMPARE(_window->rowLastDetailed(), 1);
    QVERIFY(details().contains(QStringLiteral("ProductName: SDRW-08D2S-U\n")));
}

void tst_AppWindowDetails::supportedRowShowsInformationOnly()
{
    QTableView* supported = _window->supportedTable();
    // A connected drive stays highlighted in its own table while the pane moves on.
    clickRow(_window->connectedTable(), 1);
    QVERIFY(_window->ejectButton()->isEnabled());
    clickRow(supported, 0);
    QCOMPARE(AppWindow::selectedRow(_window->connectedTable()), 1);
    const QString text = details();
    QVERIFY2(text.startsWith(QStringLiteral("Device Information \n")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Device Status")));
    QVERIFY2(text.endsWith(QStringLiteral("\n\nActualVendorName: LG Electronics\n")), qPrintable(text));
    // Eject would act on a drive the pane does not show: it is off.
    QVERIFY(!_window->ejectButton()->isEnabled());
    QVERIFY(!item("actionEject")->isEnabled());

    // Status changes leave a supported drive's details alone.
    QSignalSpy changes(_window->detailText()->document(), &QTextDocument::contentsChanged);
    postStatusChange(0); // delivered before it returns
    QCOMPARE(changes.count(), 0);

    // Asked all the same, it touches no drive.
    StdErrCapture log;
    _window->doEject(nullptr);
    // The drive thread answers in order: once a later request is answered, so is any eject.
    QVERIFY(_service.requestAndWait(QStringLiteral("sr0"), DriveAction::CloseTray));
    QVERIFY(testsupport::handlePostedEvents());
    QVERIFY(log.text().isEmpty());
    QCOMPARE(changes.count(), 0);
    const auto sr1 =
        tz::cast<DRDevice>(_window->tableViewDictForRow(_window->connectedTable(), 1)->objectForKey(deviceKey));
    QVERIFY(sr1->trayIsOpen());
}

void tst_AppWindowDetails::clickBelowTheRowsClearsThePane()
{
    QTableView* connected = _window->connectedTable();
    clickRow(connected, 2);
    QVERIFY(!details().isEmpty());

    const QPoint below(10, connected->viewport()->height() - 3);
    QVERIFY2(!connected->indexAt(below).isValid(), "the table needs space below its rows");
    QTest::mouseClick(connected->viewport(), Qt::LeftButton, {}, below);
    QVERIFY(details().isEmpty());
    QCOMPARE(_window->rowLastDetailed(), -1);
    QVERIFY(!item("actionSaveDetailAsText")->isEnabled());
    QVERIFY(!item("actionPrintDetailView")->isEnabled());
    QVERIFY(!_window->validateMenuItem(item("actionPrintDetailView")));
    QVERIFY(_window->validateMenuItem(item("actionPrintDocument")));
    QVERIFY(!_window->ejectButton()->isEnabled());

    // Nothing selected: status changes do not bring the details back.
    postStatusChange(2); // delivered before it returns
    QVERIFY(details().isEmpty());
}

void tst_AppWindowDetails::ejectTogglesTheTray()
{
    QTableView* connected = _window->connectedTable();
    clickRow(connected, 0);
    const tz::DictionaryPtr row = _window->tableViewDictForRow(connected, 0);
    const auto device = tz::cast<DRDevice>(row->objectForKey(deviceKey));
    QVERIFY(!device->trayIsOpen());

    // The drive answers later: until then the button waits and a second press does nothing.
    QTest::mouseClick(_window->ejectButton(), Qt::LeftButton);
    QVERIFY(_window->isEjectPending());
    QVERIFY(!_window->ejectButton()->isEnabled());
    _window->doEject(_window->ejectButton());
    QTRY_VERIFY(!_window->isEjectPending());
    QVERIFY(_window->ejectButton()->isEnabled());
    QVERIFY(device->trayIsOpen());
    QTRY_VERIFY2(details().contains(QStringLiteral("IsTrayOpen: YES\n")), qPrintable(details()));
    // The pane reads the drive now; the row keeps what it read when it was built.
    const auto* rowStatus = tz::as<tz::Dictionary>(row->objectForKey(statusKey));
    QVERIFY(rowStatus);
    QCOMPARE(rowStatus->objectForKey(DRDeviceIsTrayOpenKey)->boolValue(), std::optional<bool>(false));

    QTest::mouseClick(_window->ejectButton(), Qt::LeftButton);
    QTRY_VERIFY(!_window->isEjectPending());
    QVERIFY(!device->trayIsOpen());
    QTRY_VERIFY2(details().contains(QStringLiteral("IsTrayOpen: NO\n")), qPrintable(details()));
    QVERIFY(_window->window()->statusBar()->currentMessage().isEmpty());
}

void tst_AppWindowDetails::failedEjectLogsOneLine()
{
    QTableView* connected = _window->connectedTable();
    clickRow(connected, 2);
    const QString before = details();
    StdErrCapture log;
    QTest::mouseClick(_window->ejectButton(), Qt::LeftButton);
    QTRY_VERIFY(!_window->isEjectPending());
    QVERIFY(_window->ejectButton()->isEnabled());
    const QString text = QString::fromUtf8(log.text());
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(QStringLiteral("\"AppWindow.cpp\",#")), qPrintable(text));
    QVERIFY2(lines.first().contains(QStringLiteral("(-[AppWindow doEject:]) Device ACME Busy Writer failed to open")),
             qPrintable(text));
    QCOMPARE(details(), before);
}

QTEST_MAIN(tst_AppWindowDetails)
#include "tst_AppWindowDetails.moc"
