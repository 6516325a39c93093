// The device window on a real X server, as a person sees it: a connected drive selected, its
// details in the pane. The picture is kept as AppWindow-details.png in the working directory.
#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

namespace {

// Pixels of the rectangle that are plainly blue, as the key names are drawn.
int bluePixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.blue() > 160 && c.red() < 90 && c.green() < 90;
        }
    return count;
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

class tst_Screenshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowShowsTheSelectedDrivesDetails();

private:
    DriveService _service;
};

void tst_Screenshot::initTestCase()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        QSKIP("needs an X server (CTest runs this under Xvfb)");
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    _service.install();
    _service.setSupportProfile(DeviceSupportProfile::readProfile(DeviceSupportProfile::builtInPath));
    _service.useSimulatedDrives(QStringLiteral(SIMULATED_DRIVES));
}

void tst_Screenshot::windowShowsTheSelectedDrivesDetails()
{
    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow(_service);
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(controller->numberOfRowsInTableView(controller->connectedTable()) > 0);
    controller->connectedTable()->selectRow(0);
    QVERIFY(controller->detailText()->toPlainText().contains(QStringLiteral("Device Status")));

    // The details pane's visible area, in window coordinates.
    const QWidget* pane = controller->detailText()->viewport();
    const QRect paneArea(pane->mapTo(window, QPoint(0, 0)), pane->size());

    // What the X server shows, once the window has been drawn.
    QImage shot;
    QTRY_VERIFY_WITH_TIMEOUT(
        (shot = window->screen()->grabWindow(window->winId()).toImage(), bluePixels(shot, paneArea) > 100), 5000);
    QVERIFY(shot.save(QStringLiteral("AppWindow-details.png")));
    QCOMPARE(shot.size(), window->size());
    QVERIFY2(distinctColours(shot) > 20, "the window looks blank");
}

QTEST_MAIN(tst_Screenshot)
#include "tst_Screenshot.moc"
