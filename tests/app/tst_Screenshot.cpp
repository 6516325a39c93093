// The device window on a real X server, as a person sees it: a connected drive selected, its
// details in the pane; the same on a dark theme; the search box in use. The pictures are kept
// as AppWindow-details.png, AppWindow-dark.png and AppWindow-search.png in the working directory.
#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRService.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QImage>
#include <QMainWindow>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <cstdlib>
#include <functional>

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

// Pixels of the rectangle close to the colour (each channel within 40).
int pixelsNear(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                     std::abs(c.blue() - colour.blue()) < 40;
        }
    return count;
}

// Mean lightness of the rectangle, 0 (black) to 255 (white).
int meanLightness(const QImage& image, const QRect& area)
{
    qint64 sum = 0;
    qint64 n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 2)
        for (int x = inside.left(); x <= inside.right(); x += 2, ++n)
            sum += image.pixelColor(x, y).lightness();
    return n ? int(sum / n) : 0;
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
    void darkThemeKeepsTheKeyNamesReadable();
    void searchBoxInUse();

private:
    // The window as the X server shows it, once grabbed pictures pass the check.
    static QImage grabWhen(QMainWindow* window, const std::function<bool(const QImage&)>& ready);
};

QImage tst_Screenshot::grabWhen(QMainWindow* window, const std::function<bool(const QImage&)>& ready)
{
    QImage shot;
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTest::qWait(100);
        shot = window->screen()->grabWindow(window->winId()).toImage();
        if (ready(shot))
            break;
    }
    return shot;
}

void tst_Screenshot::initTestCase()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        QSKIP("needs an X server (CTest runs this under Xvfb)");
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    DeviceSupportProfile::setOverridePath(DeviceSupportProfile::builtInPath);
    DRService::useSimulatedDrives(QStringLiteral(SIMULATED_DRIVES));
}

void tst_Screenshot::windowShowsTheSelectedDrivesDetails()
{
    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow();
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

void tst_Screenshot::darkThemeKeepsTheKeyNamesReadable()
{
    // A dark theme as desktops set it: dark bases, light text, a light link colour.
    const QPalette original = QApplication::palette();
    const QColor link(0x8a, 0xb4, 0xf8);
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x6a, 0xa8));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    dark.setColor(QPalette::Link, link);
    QApplication::setPalette(dark);

    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow();
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(controller->numberOfRowsInTableView(controller->connectedTable()) > 0);
    controller->connectedTable()->selectRow(0);
    const QWidget* pane = controller->detailText()->viewport();
    const QRect paneArea(pane->mapTo(window, QPoint(0, 0)), pane->size());

    const QImage shot = grabWhen(window, [&](const QImage& image) { return pixelsNear(image, paneArea, link) > 100; });
    QVERIFY(shot.save(QStringLiteral("AppWindow-dark.png")));
    QApplication::setPalette(original);
    // Key names in the theme's link colour on a dark pane, none in pure blue.
    QVERIFY2(pixelsNear(shot, paneArea, link) > 100, "no key names in the link colour");
    QCOMPARE(bluePixels(shot, paneArea), 0);
    QVERIFY2(meanLightness(shot, paneArea) < 80, "the pane is not dark");
}

void tst_Screenshot::searchBoxInUse()
{
    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow();
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTableView* supported = controller->supportedTable();
    const int all = supported->model()->rowCount();
    QTest::keyClicks(controller->searchField(), QStringLiteral("plextor"));
    const int shown = supported->model()->rowCount();
    QVERIFY(shown > 0);
    QVERIFY(shown < all);
    for (int row = 0; row < shown; ++row) {
        const QString line = supported->model()->index(row, 0).data().toString() + u' ' +
                             supported->model()->index(row, 1).data().toString();
        QVERIFY2(line.contains(QStringLiteral("plextor"), Qt::CaseInsensitive), qPrintable(line));
    }
    supported->selectRow(0);
    QVERIFY(controller->detailText()->toPlainText().contains(QStringLiteral("Device Information")));

    const QImage shot = grabWhen(window, [](const QImage& image) { return distinctColours(image) > 20; });
    QVERIFY(shot.save(QStringLiteral("AppWindow-search.png")));
    QVERIFY2(distinctColours(shot) > 20, "the window looks blank");
}

QTEST_MAIN(tst_Screenshot)
#include "tst_Screenshot.moc"
