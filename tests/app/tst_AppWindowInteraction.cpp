// The device window as its users work it: hot-plug under a selection, the eject button's state,
// search and sorting, keyboard, the row menu, the status bar and the About box.
#include "SimulatedDrives.h"
#include "app/AppInfo.h"
#include "app/AppWindow.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "app/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace testfiles;

class tst_AppWindowInteraction : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void hotPlugKeepsTheSelectionOnItsDrive();
    void driveThatLeavesTakesEjectWithIt();
    void ejectFollowsTheTrayAndTheKeyboard();
    void failedEjectShowsTheReason();
    void searchFiltersTheSupportedDrives();
    void sortingLeavesTheRowsInModelOrder();
    void emptyStateAndModelColumnWidth();
    void columnWidthsAreKept();
    void keyboard();
    void helpWindowClosesFromTheKeyboard_data();
    void helpWindowClosesFromTheKeyboard();
    void rowMenuActsOnTheRowUnderThePointer();
    void statusBarNamesTheProfileAndTheDrives();
    void badDataFilesAreNamedInTheWindow_data();
    void badDataFilesAreNamedInTheWindow();
    void aboutBox();

private:
    [[nodiscard]] QString path(const QString& name) const { return _drives.path(name); }
    // Switches the drive service to a new simulation file with this text.
    QString simulate(const QString& text);
    void open(int connectedRows);
    void clickRow(QTableView* table, int viewRow);
    [[nodiscard]] QString details() const { return _window->detailText()->toPlainText(); }
    [[nodiscard]] QAction* item(const char* name) const { return _window->menuItem(QString::fromUtf8(name)); }
    [[nodiscard]] QStringList shownColumn(const QTableView* table, int column) const;
    [[nodiscard]] QString statusMessage() const
    {
        return _window->window()->findChild<QStatusBar*>()->currentMessage();
    }

    // The profile at the path, as the program reads it at start-up.
    void useProfile(const QString& file)
    {
        QString problem;
        const tz::Id root = DeviceSupportProfile::readProfile(file, &problem);
        _service.setSupportProfile(root, file, problem);
    }

    SimulatedDrives _drives;
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
    QStringList _threeDrives;
};

void tst_AppWindowInteraction::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(write(
        path(QStringLiteral("profile.drprofile")),
        profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                              {QStringLiteral("DVDRAM GH24NSD1")}),
                 profileEntry(QString(), QStringLiteral("ASUS"),
                              {QStringLiteral("DRW-24D5MT"), QStringLiteral("BW-16D1HT")}),
                 profileEntry(QStringLiteral("Pioneer"), QStringLiteral("PIONEER"), {QStringLiteral("DVR-103")})})));
    _threeDrives = {drive(QStringLiteral("A"), QStringLiteral("Dell"), QStringLiteral("DVR-103"),
                          QStringLiteral("Internal"), QStringLiteral("SATA")),
                    withKeys(drive(QStringLiteral("B"), QStringLiteral("HL-DT-ST"), QStringLiteral("DVDRAM GH24NSD1"),
                                   QStringLiteral("External"), QStringLiteral("USB")),
                             QStringLiteral("<key>TrayOpen</key><true/>")),
                    withKeys(drive(QStringLiteral("C"), QStringLiteral("ACME"), QStringLiteral("Busy Writer"),
                                   QStringLiteral("Internal"), QStringLiteral("ATAPI")),
                             mountedDisc)};
}

void tst_AppWindowInteraction::init()
{
    QSettings().clear();
    _service.install();
    useProfile(path(QStringLiteral("profile.drprofile")));
}

void tst_AppWindowInteraction::cleanup()
{
    _window.reset();
    QSettings().clear();
}

QString tst_AppWindowInteraction::simulate(const QString& text)
{
    return _drives.serve(_service, text);
}

void tst_AppWindowInteraction::open(int connectedRows)
{
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), connectedRows);
}

void tst_AppWindowInteraction::clickRow(QTableView* table, int viewRow)
{
    const QRect cell = table->visualRect(table->model()->index(viewRow, 0));
    QVERIFY(cell.isValid());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QStringList tst_AppWindowInteraction::shownColumn(const QTableView* table, int column) const
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts.append(table->model()->index(row, column).data().toString());
    return texts;
}

void tst_AppWindowInteraction::hotPlugKeepsTheSelectionOnItsDrive()
{
    // A leaves while B is selected, then comes back.
    simulate(simulationWithEvents(_threeDrives,
                                  {{0.6, QStringLiteral("A"), QStringLiteral("Disappear")},
                                   {0.6, QStringLiteral("A"), QStringLiteral("Appear")}}));
    open(3);
    QTableView* connected = _window->connectedTable();
    clickRow(connected, 1);
    // The pane keeps free-text names whole.
    QVERIFY2(details().contains(QStringLiteral("ProductName: DVDRAM GH24NSD1\n")), qPrintable(details()));
    QVERIFY(details().contains(QStringLiteral("PhysicalInterconnect: USB\n")));

    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 2);
    // B is row 0 now, and still the selected, detailed and ejectable drive.
    QCOMPARE(AppWindow::selectedRow(connected), 0);
    QCOMPARE(_window->rowLastDetailed(), 0);
    QCOMPARE(_window->detailedDevice()->identifier(), QStringLiteral("B"));
    QVERIFY(details().contains(QStringLiteral("DVDRAM GH24NSD1")));
    QVERIFY(_window->ejectButton()->isEnabled());

    // C took B's old row: clicking it shows C, and Eject acts on C.
    clickRow(connected, 1);
    QVERIFY2(details().contains(QStringLiteral("ProductName: Busy Writer\n")), qPrintable(details()));
    QCOMPARE(_window->detailedDevice()->identifier(), QStringLiteral("C"));

    // A comes back in front: C's row moves down, the selection with it.
    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 3);
    QCOMPARE(AppWindow::selectedRow(connected), 2);
    QCOMPARE(_window->detailedDevice()->identifier(), QStringLiteral("C"));
}

void tst_AppWindowInteraction::driveThatLeavesTakesEjectWithIt()
{
    simulate(simulationWithEvents(_threeDrives, {{0.6, QStringLiteral("B"), QStringLiteral("Disappear")}}));
    open(3);
    QTableView* connected = _window->connectedTable();
    clickRow(connected, 1);
    const QString shown = details();
    QVERIFY(_window->ejectButton()->isEnabled());

    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 2);
    // The pane may keep the text of the drive that left; nothing else is selected or ejectable.
    QCOMPARE(details(), shown);
    QCOMPARE(AppWindow::selectedRow(connected), -1);
    QVERIFY(!_window->detailedDevice());
    QVERIFY(!_window->ejectButton()->isEnabled());
    const auto c = tz::cast<DRDevice>(_window->tableViewDictForRow(connected, 1)->objectForKey(deviceKey));
    _window->doEject(nullptr);
    QVERIFY(!c->trayIsOpen());

    // The old row number is no reason to skip a click: row 1 (now C) shows C.
    clickRow(connected, 1);
    QVERIFY2(details().contains(QStringLiteral("Busy Writer")), qPrintable(details()));
}

void tst_AppWindowInteraction::ejectFollowsTheTrayAndTheKeyboard()
{
    simulate(simulation(_threeDrives));
    open(3);
    QMainWindow* window = _window->window();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTableView* connected = _window->connectedTable();
    QPushButton* eject = _window->ejectButton();
    QCOMPARE(eject->text(), QStringLiteral("Eject"));
    QVERIFY(!eject->isEnabled());

    clickRow(connected, 1); // B: tray open
    QCOMPARE(eject->text(), QStringLiteral("Close Tray"));
    QCOMPARE(item("actionEject")->text(), QStringLiteral("Close Tray"));
    QCOMPARE(item("actionEject")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    const DRDevicePtr b = _window->detailedDevice();
    QTRY_VERIFY(!b->trayIsOpen()); // the drive answers on a later turn
    QTRY_COMPARE(eject->text(), QStringLiteral("Eject"));

    QTRY_VERIFY(eject->isEnabled());
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(b->trayIsOpen());
    QTRY_COMPARE(eject->text(), QStringLiteral("Close Tray"));

    clickRow(connected, 0); // A: closed
    QCOMPARE(eject->text(), QStringLiteral("Eject"));
}

void tst_AppWindowInteraction::failedEjectShowsTheReason()
{
    simulate(simulation(_threeDrives));
    open(3);
    clickRow(_window->connectedTable(), 2); // C: a mounted disc
    QTest::mouseClick(_window->ejectButton(), Qt::LeftButton);
    QTRY_COMPARE(statusMessage(),
                 QStringLiteral("Device ACME Busy Writer failed to open: its disc is mounted; unmount it first"));
    _window->showStatusMessage(QStringLiteral("next"));
    QCOMPARE(statusMessage(), QStringLiteral("next"));
}

void tst_AppWindowInteraction::searchFiltersTheSupportedDrives()
{
    simulate(simulation({}));
    open(0);
    QTableView* supported = _window->supportedTable();
    const QString count = _window->count()->text();
    QTest::keyClicks(_window->searchField(), QStringLiteral("asus"));
    QCOMPARE(shownColumn(supported, 0), (QStringList{QStringLiteral("DRW-24D5MT"), QStringLiteral("BW-16D1HT")}));
    // The count keeps counting the profile; the data source keeps its rows.
    QCOMPARE(_window->count()->text(), count);
    QCOMPARE(_window->numberOfRowsInTableView(supported), 4);
    // What is saved is what is shown.
    QCOMPARE(_window->tableToText(supported),
             QStringLiteral("Model\tManufacturer\nDRW-24D5MT\tASUS\nBW-16D1HT\tASUS\n"));
    // Clicking a filtered row details that drive.
    clickRow(supported, 1);
    QVERIFY2(details().contains(QStringLiteral("Device Information")), qPrintable(details()));
    QCOMPARE(_window->rowLastDetailed(), 2);

    // Models match too, in any letter case.
    _window->searchField()->setText(QStringLiteral("dvr-1"));
    QCOMPARE(shownColumn(supported, 0), QStringList{QStringLiteral("DVR-103")});
    _window->searchField()->clear();
    QCOMPARE(supported->model()->rowCount(), 4);
}

void tst_AppWindowInteraction::sortingLeavesTheRowsInModelOrder()
{
    simulate(simulation(_threeDrives));
    open(3);
    QTableView* supported = _window->supportedTable();
    const QStringList modelOrder{QStringLiteral("DVDRAM GH24NSD1"), QStringLiteral("DRW-24D5MT"),
                                 QStringLiteral("BW-16D1HT"), QStringLiteral("DVR-103")};
    QCOMPARE(shownColumn(supported, 0), modelOrder); // unsorted at first

    QHeaderView* header = supported->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    const QStringList sorted{QStringLiteral("BW-16D1HT"), QStringLiteral("DRW-24D5MT"),
                             QStringLiteral("DVDRAM GH24NSD1"), QStringLiteral("DVR-103")};
    QCOMPARE(shownColumn(supported, 0), sorted);
    QCOMPARE(_window->tableToText(supported).section(u'\n', 1, 1), QStringLiteral("BW-16D1HT\tASUS"));
    // The data source answers in model order.
    QCOMPARE(tz::describe(_window->tableViewObjectValueForTableColumnRow(supported, modelKey, 0)), modelOrder.first());
    // A click on the first row shown details BW-16D1HT (model row 2).
    clickRow(supported, 0);
    QCOMPARE(_window->rowLastDetailed(), 2);
    QCOMPARE(AppWindow::selectedRow(supported), 2);

    // The connected table sorts as well; the eject button follows the drive, not the row.
    QTableView* connected = _window->connectedTable();
    connected->sortByColumn(0, Qt::DescendingOrder);
    clickRow(connected, 0); // HL-DT-ST DVDRAM GH24NSD1 (B), model row 1
    QCOMPARE(_window->detailedDevice()->identifier(), QStringLiteral("B"));
    QCOMPARE(_window->ejectButton()->text(), QStringLiteral("Close Tray"));
}

void tst_AppWindowInteraction::emptyStateAndModelColumnWidth()
{
    simulate(simulationWithEvents({withKeys(_threeDrives[1], QStringLiteral("<key>Attached</key><false/>"))},
                                  {{0.3, QStringLiteral("B"), QStringLiteral("Appear")}}));
    open(0);
    _window->window()->resize(1400, 700); // room for the longest model
    QTableView* connected = _window->connectedTable();
    QLabel* empty = _window->emptyConnectedLabel();
    QVERIFY(empty);
    QCOMPARE(empty->text(), QStringLiteral("No optical drives connected"));
    QVERIFY(empty->isVisible());
    QCOMPARE(empty->geometry(), connected->viewport()->rect());

    QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 1);
    QVERIFY(!empty->isVisible());
    // The model's text fits its column.
    const QString model = connected->model()->index(0, 0).data().toString();
    QVERIFY(model.contains(QStringLiteral("External via USB")));
    QVERIFY2(connected->columnWidth(0) >= connected->fontMetrics().horizontalAdvance(model),
             qPrintable(QString::number(connected->columnWidth(0))));
}

void tst_AppWindowInteraction::columnWidthsAreKept()
{
    simulate(simulation({}));
    open(0);
    _window->supportedTable()->horizontalHeader()->resizeSection(0, 321);
    _window->connectedTable()->horizontalHeader()->resizeSection(1, 123);
    QVERIFY(_window->window()->close());
    _window.reset();

    open(0);
    QCOMPARE(_window->supportedTable()->columnWidth(0), 321);
    QCOMPARE(_window->connectedTable()->columnWidth(1), 123);
}

void tst_AppWindowInteraction::keyboard()
{
    simulate(simulation(_threeDrives));
    open(3);
    QMainWindow* window = _window->window();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTableView* connected = _window->connectedTable();

    // Tab leaves the table instead of walking its cells.
    connected->setFocus();
    QTRY_VERIFY(connected->hasFocus());
    QTest::keyClick(connected, Qt::Key_Tab);
    QVERIFY(!connected->hasFocus());

    // Ctrl+C: the selected row of the focused table, as the table shows it.
    connected->setFocus();
    clickRow(connected, 1);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("HL-DT-ST DVDRAM GH24NSD1, External via USB\tHL-DT-ST\tSupported\n"));
    QTableView* supported = _window->supportedTable();
    supported->setFocus();
    clickRow(supported, 3);
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("DVR-103\tPioneer / PIONEER\n"));

    // Ctrl+F goes to the search box.
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(_window->searchField()->hasFocus());

    // Ctrl+Q closes the window (and would end the program's event loop).
    QCOMPARE(item("actionQuit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
}

void tst_AppWindowInteraction::helpWindowClosesFromTheKeyboard_data()
{
    QTest::addColumn<QKeyCombination>("keys");
    QTest::newRow("Escape") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeyCombination(Qt::ControlModifier, Qt::Key_W);
}

void tst_AppWindowInteraction::helpWindowClosesFromTheKeyboard()
{
    QFETCH(QKeyCombination, keys);
    const QPointer<HelpWindow> help = HelpWindow::showHelpWindow();
    QApplication::setActiveWindow(help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help.data(), keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY(help.isNull());
}

void tst_AppWindowInteraction::rowMenuActsOnTheRowUnderThePointer()
{
    simulate(simulation(_threeDrives));
    open(3);
    QTableView* connected = _window->connectedTable();
    clickRow(_window->supportedTable(), 0);
    const QPoint onRow = connected->visualRect(connected->model()->index(2, 0)).center();
    Q_EMIT connected->customContextMenuRequested(onRow);
    QMenu* menu = _window->rowContextMenu();
    QTRY_VERIFY(menu->isVisible());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts.append(action->text());
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    }
    QCOMPARE(texts,
             (QStringList{QStringLiteral("Eject"), QStringLiteral("Copy"), QStringLiteral("Save Details as Text…")}));
    // The row under the pointer is now the one selected and shown.
    QCOMPARE(AppWindow::selectedRow(connected), 2);
    QCOMPARE(_window->detailedDevice()->identifier(), QStringLiteral("C"));
    menu->close();

    // On a supported drive there is nothing to eject.
    QTableView* supported = _window->supportedTable();
    Q_EMIT supported->customContextMenuRequested(supported->visualRect(supported->model()->index(1, 0)).center());
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!item("actionEject")->isEnabled());
    QVERIFY(item("actionCopy")->isEnabled());
    menu->close();
}

void tst_AppWindowInteraction::statusBarNamesTheProfileAndTheDrives()
{
    const QString file = simulate(simulation(_threeDrives));
    open(3);
    const QString text = _window->sourceLabel()->text();
    QVERIFY2(text.contains(path(QStringLiteral("profile.drprofile"))), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("simulated from ") + file), qPrintable(text));
    QVERIFY(_window->sourceLabel()->isVisible());
    QCOMPARE(statusMessage(), QString());
    _window.reset();

    useProfile(DeviceSupportProfile::builtInPath);
    _service.useSystemDrives();
    _window = AppWindow::appWindow(_service);
    QVERIFY2(_window->sourceLabel()->text().contains(QStringLiteral("Profile: the built-in profile")),
             qPrintable(_window->sourceLabel()->text()));
    QVERIFY2(_window->sourceLabel()->text().endsWith(QStringLiteral("Drives: udev")),
             qPrintable(_window->sourceLabel()->text()));
}

void tst_AppWindowInteraction::badDataFilesAreNamedInTheWindow_data()
{
    QTest::addColumn<bool>("badProfile");
    QTest::addColumn<QString>("message");
    QTest::newRow("profile") << true << QStringLiteral("The profile \u201c%1\u201d is not a property list");
    QTest::newRow("simulation") << false
                                << QStringLiteral("The drive simulation \u201c%1\u201d is not a property list");
}

void tst_AppWindowInteraction::badDataFilesAreNamedInTheWindow()
{
    QFETCH(bool, badProfile);
    QFETCH(QString, message);
    const QString garbage = path(QStringLiteral("garbage"));
    QVERIFY(write(garbage, QStringLiteral("no property list here\n")));
    if (badProfile) {
        simulate(simulation({}));
        useProfile(garbage);
    } else {
        _service.useSimulatedDrives(garbage);
    }
    _window = AppWindow::appWindow(_service);
    QVERIFY(_window->window()->isVisible());
    QVERIFY2(statusMessage().startsWith(message.arg(garbage)), qPrintable(statusMessage()));
    if (badProfile)
        QCOMPARE(_window->count()->text(), QStringLiteral("0 Supported Drives in This Version of OS-X"));
    else
        QCOMPARE(_window->numberOfRowsInTableView(_window->supportedTable()), 4);
}

void tst_AppWindowInteraction::aboutBox()
{
    simulate(simulation({}));
    open(0);
    QCOMPARE(item("actionAbout")->text(), QStringLiteral("About Burner Catalogue"));
    item("actionAbout")->trigger();
    const auto* box = _window->window()->findChild<QMessageBox*>(QStringLiteral("aboutBox"));
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QVERIFY(box->text().contains(AppInfo::version()));
    QVERIFY(box->text().contains(QStringLiteral("MIT License")));
    QVERIFY2(box->text().contains(path(QStringLiteral("profile.drprofile"))), qPrintable(box->text()));
}

QTEST_MAIN(tst_AppWindowInteraction)
#include "tst_AppWindowInteraction.moc"
