#include "SimulatedDrives.h"
#include "app/AppController.h"
#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "app/HelpWindow.h"
#include "app/PrintInfo.h"

#include "Foundation/Number.h"
#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"
#include "Foundation_Additions/NSUserDefaults/TzNSUserDefaultsAdditions.h"
#include "Functions/TzVerboseLogging.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_AppController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void opensTheWindowOnTheFirstEventLoopTurn();
    void everyHelpRequestOpensAWindow();
    void isTheDelegateAndReadsTheVerboseChoice();

private:
    QTemporaryDir _dir;
    DriveService _service;
};

void tst_AppController::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(tz::UserDefaults::settingsFormat(), QSettings::UserScope,
                       _dir.filePath(QStringLiteral("config")));
    QApplication::setQuitOnLastWindowClosed(false);
    const QString drives = _dir.filePath(QStringLiteral("drives.plist"));
    QVERIFY(testfiles::write(drives, testfiles::simulation({})));
    _service.install();
    _service.useSimulatedDrives(drives);
}

void tst_AppController::opensTheWindowOnTheFirstEventLoopTurn()
{
    AppController controller(_service);
    QVERIFY(controller.printInfo()->isVerticallyCentered());
    controller.applicationDidFinishLaunching();
    QVERIFY(!controller.printInfo()->isVerticallyCentered());
    QVERIFY(controller.printInfo()->isHorizontallyCentered());
    QVERIFY(!controller.appWindow()); // deferred

    QTRY_VERIFY(controller.appWindow());
    QCOMPARE(controller.appWindow(), AppWindow::appWindow(_service));
    QVERIFY(controller.appWindow()->window()->isVisible());
}

void tst_AppController::everyHelpRequestOpensAWindow()
{
    AppController controller(_service);
    controller.setAppWindow(AppWindow::appWindow(_service));
    QAction* help = controller.appWindow()->menuItem(QStringLiteral("actionShowHelpWindow"));
    help->trigger();
    const QPointer<HelpWindow> first = HelpWindow::instance();
    help->trigger();
    const QPointer<HelpWindow> second = HelpWindow::instance();

    QVERIFY(first && second);
    QVERIFY(first != second);
    QVERIFY(first->isVisible() && second->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Burner Catalogue Help"));

    // Closing frees a help window; the other stays open.
    QVERIFY(second->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(second.isNull());
    QVERIFY(!HelpWindow::instance());
    QVERIFY(first->isVisible());
    QVERIFY(first->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
}

// Last: the verbose-logging switch stays on once on.
void tst_AppController::isTheDelegateAndReadsTheVerboseChoice()
{
    QVERIFY(!tz::tzMessages());
    {
        AppController unchosen(_service);
        unchosen.applicationDidFinishLaunching();
        QVERIFY(!tz::tzMessages()); // no choice stored
    }
    QVERIFY(tz::defaults::setObjectForKey(tz::boolean(true), tz::pelkLogMessagesKey));
    AppController controller(_service);
    QCOMPARE(tz::applicationDelegate(), &controller);
    controller.applicationDidFinishLaunching();
    QVERIFY(tz::tzMessages());
    tz::defaults::removeObjectForKey(tz::pelkLogMessagesKey);
}

QTEST_MAIN(tst_AppController)
#include "tst_AppController.moc"
