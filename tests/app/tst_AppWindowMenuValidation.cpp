// The main menu's items enabled by the window's validation methods as each menu opens.
#include "SimulatedDrives.h"
#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"

#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace testfiles;

class tst_AppWindowMenuValidation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void everyItemCarriesItsAction();
    void openingMenusValidatesTheirItems();
    void rowMenuFollowsTheSameRules();

private:
    [[nodiscard]] QAction* item(const char* name) const { return _window->menuItem(QString::fromUtf8(name)); }
    [[nodiscard]] QMenu* menu(const char* name) const
    {
        return _window->window()->findChild<QMenu*>(QString::fromUtf8(name));
    }
    // Opens the menu as the user would, and reads its items' states while it is open.
    QStringList enabledWhileOpen(QMenu* menu);
    void clickRow(int row);

    QTemporaryDir _dir;
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
};

void tst_AppWindowMenuValidation::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QApplication::setQuitOnLastWindowClosed(false);
    const QString profilePath = _dir.filePath(QStringLiteral("profile.drprofile"));
    QVERIFY(write(profilePath,
                  profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                                        {QStringLiteral("GH24NSD1")})})));
    _service.install();
    _service.setSupportProfile(DeviceSupportProfile::readProfile(profilePath));
    const QString drives = _dir.filePath(QStringLiteral("drives.plist"));
    QVERIFY(write(drives,
                  simulation({drive(QStringLiteral("sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                                    QStringLiteral("Internal"), QStringLiteral("SATA"))})));
    _service.useSimulatedDrives(drives);
    QVERIFY(_service.waitForDrives());
}

void tst_AppWindowMenuValidation::init()
{
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 1);
}

void tst_AppWindowMenuValidation::cleanup()
{
    _window.reset();
    QSettings().clear();
}

QStringList tst_AppWindowMenuValidation::enabledWhileOpen(QMenu* menu)
{
    // Enabled beforehand, so that only the validation can turn them off.
    for (QAction* a : menu->actions())
        a->setEnabled(true);
    menu->popup(QPoint(10, 10));
    QStringList enabled;
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return {QStringLiteral("menu did not open")};
    for (const QAction* a : menu->actions()) {
        if (!a->isSeparator() && a->isEnabled())
            enabled.append(a->objectName());
    }
    menu->close();
    return enabled;
}

void tst_AppWindowMenuValidation::clickRow(int row)
{
    QTableView* table = _window->connectedTable();
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QVERIFY(cell.isValid());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

void tst_AppWindowMenuValidation::everyItemCarriesItsAction()
{
    QCOMPARE(tz::actionSelector(item("actionSaveDetailAsText")).name(), QStringLiteral("doSaveDetailAsText:"));
    QCOMPARE(tz::actionSelector(item("actionPrintConnecteds")).name(), QStringLiteral("printDocument:"));
    QCOMPARE(tz::actionSelector(item("actionEject")).name(), QStringLiteral("doEject:"));
    for (QMenu* m : {menu("fileMenu"), menu("editMenu"), menu("driveMenu"), menu("helpMenu")}) {
        QVERIFY(m);
        for (const QAction* a : m->actions())
            QVERIFY2(a->isSeparator() || !tz::actionSelector(a).isNull(), qPrintable(a->objectName()));
    }
}

void tst_AppWindowMenuValidation::openingMenusValidatesTheirItems()
{
    const QStringList alwaysInFile{QStringLiteral("actionSaveConnectedsAsText"),
                                   QStringLiteral("actionSaveSupportedsAsText"),
                                   QStringLiteral("actionPrintConnecteds"),
                                   QStringLiteral("actionPrintSupporteds"),
                                   QStringLiteral("actionPrintDocument"),
                                   QStringLiteral("actionClose"),
                                   QStringLiteral("actionQuit")};
    // Nothing detailed: no detail commands, nothing to eject.
    QCOMPARE(enabledWhileOpen(menu("fileMenu")), alwaysInFile);
    QCOMPARE(enabledWhileOpen(menu("driveMenu")), QStringList());
    QCOMPARE(enabledWhileOpen(menu("helpMenu")).size(), 2);

    clickRow(0);
    QStringList withDetails = alwaysInFile;
    withDetails.insert(2, QStringLiteral("actionSaveDetailAsText"));
    withDetails.insert(6, QStringLiteral("actionPrintDetailView"));
    QCOMPARE(enabledWhileOpen(menu("fileMenu")), withDetails);
    QCOMPARE(enabledWhileOpen(menu("driveMenu")), QStringList{QStringLiteral("actionEject")});
    QVERIFY(_window->menuValidationForDoSaveDetailAsText(item("actionSaveDetailAsText")));
}

void tst_AppWindowMenuValidation::rowMenuFollowsTheSameRules()
{
    QVERIFY(!_window->validateMenuItem(item("actionEject")));
    QVERIFY(!_window->validateMenuItem(item("actionSaveDetailAsText")));
    QVERIFY(_window->validateMenuItem(item("actionCopy")));
    clickRow(0);
    QVERIFY(_window->validateMenuItem(item("actionEject")));
    QVERIFY(_window->validateMenuItem(item("actionSaveDetailAsText")));
}

QTEST_MAIN(tst_AppWindowMenuValidation)
#include "tst_AppWindowMenuValidation.moc"
