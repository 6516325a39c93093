// The device window on a real X server, as a person sees it: a connected drive selected, its
// details in the pane; the same on a dark theme; the search box in use. The pictures are kept
// as AppWindow-details.png, AppWindow-dark.png and AppWindow-search.png in the working directory,
// with AppWindow-path.png (the drive's iconic device path) and Marks.png (check-box marks, one
// clicked, and iconic paths in a text edit).
#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "Foundation/AutoreleaseScope.h"
#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "Foundation_Additions/NSAttributedString/InsertMarks.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringIconicAttributedStringForPath.h"
#include "ScreenPicture.h"
#include "Widgets/TzCheckboxAttachmentCell.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QImage>
#include <QMainWindow>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <cstdlib>
#include <functional>

namespace {

// The selected drive's information and status show about twenty "Key: value" lines in the pane.
constexpr int keyLinesShown = 15;

// How many pixels of the area are a strong dark red (the missing part of a path).
int darkRedPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 90 && c.red() < 170 && c.green() < 40 && c.blue() < 40;
        }
    return n;
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

} // namespace

class tst_Screenshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowShowsTheSelectedDrivesDetails();
    void darkThemeKeepsTheKeyNamesReadable();
    void searchBoxInUse();
    void detailsShowTheDevicePath();
    void marksAndIconicPaths();

private:
    // The window as the X server shows it, once grabbed pictures pass the check.
    static QImage grabWhen(QMainWindow* window, const std::function<bool(const QImage&)>& ready);

    DriveService _service;
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
    _service.install();
    _service.setSupportProfile(DeviceSupportProfile::readProfile(DeviceSupportProfile::builtInPath),
                               DeviceSupportProfile::builtInPath);
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
    QTRY_VERIFY_WITH_TIMEOUT((shot = window->screen()->grabWindow(window->winId()).toImage(),
                              picture::keyNameLines(shot, paneArea, picture::isBlue) >= keyLinesShown),
                             5000);
    QVERIFY(shot.save(QStringLiteral("AppWindow-details.png")));
    const int keyLines = picture::keyNameLines(shot, paneArea, picture::isBlue);
    QVERIFY2(keyLines >= keyLinesShown, qPrintable(QStringLiteral("%1 lines with a blue key name").arg(keyLines)));
    QCOMPARE(shot.size(), window->size());
    QVERIFY2(picture::distinctColours(shot) > 20, "the window looks blank");
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

    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow(_service);
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(controller->numberOfRowsInTableView(controller->connectedTable()) > 0);
    controller->connectedTable()->selectRow(0);
    const QWidget* pane = controller->detailText()->viewport();
    const QRect paneArea(pane->mapTo(window, QPoint(0, 0)), pane->size());

    const QImage shot = grabWhen(window, [&](const QImage& image) {
        return picture::keyNameLines(image, paneArea, picture::near(link)) >= keyLinesShown;
    });
    QVERIFY(shot.save(QStringLiteral("AppWindow-dark.png")));
    QApplication::setPalette(original);
    // Key names in the theme's link colour on a dark pane, none in pure blue.
    const int keyLines = picture::keyNameLines(shot, paneArea, picture::near(link));
    QVERIFY2(keyLines >= keyLinesShown,
             qPrintable(QStringLiteral("%1 lines with a key name in the link colour").arg(keyLines)));
    QCOMPARE(picture::keyNameLines(shot, paneArea, picture::isBlue), 0);
    QVERIFY2(meanLightness(shot, paneArea) < 80, "the pane is not dark");
}

void tst_Screenshot::searchBoxInUse()
{
    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow(_service);
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTableView* supported = controller->supportedTable();
    const int all = supported->model()->rowCount();
    QTest::keyClicks(controller->searchField(), QStringLiteral("plextor"));
    const int shown = supported->model()->rowCount();
    QVERIFY(shown > 0);
    QVERIFY(shown < all);
    for (int row = 0; row < shown; ++row) {
        const QString line = supported->model()->index(row, 0).data().toString() + u' '
            + supported->model()->index(row, 1).data().toString();
        QVERIFY2(line.contains(QStringLiteral("plextor"), Qt::CaseInsensitive), qPrintable(line));
    }
    supported->selectRow(0);
    QVERIFY(controller->detailText()->toPlainText().contains(QStringLiteral("Device Information")));

    const QImage shot = grabWhen(window, [](const QImage& image) { return picture::distinctColours(image) > 20; });
    QVERIFY(shot.save(QStringLiteral("AppWindow-search.png")));
    QVERIFY2(picture::distinctColours(shot) > 20, "the window looks blank");
}

void tst_Screenshot::detailsShowTheDevicePath()
{
    const std::shared_ptr<AppWindow> controller = AppWindow::appWindow(_service);
    QMainWindow* window = controller->window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(controller->numberOfRowsInTableView(controller->connectedTable()) > 0);
    controller->connectedTable()->selectRow(0);
    QTextEdit* details = controller->detailText();
    QVERIFY2(details->toPlainText().endsWith(QStringLiteral("\nDevice Path\n\ufffc/\ufffcdev/\ufffcsr0\n")),
             qPrintable(details->toPlainText()));
    details->verticalScrollBar()->setValue(details->verticalScrollBar()->maximum());
    const QWidget* pane = details->viewport();
    const QRect paneArea(pane->mapTo(window, QPoint(0, 0)), pane->size());
    const QImage shot =
        grabWhen(window, [&](const QImage& image) { return picture::distinctColours(image, paneArea) > 20; });
    QVERIFY(shot.save(QStringLiteral("AppWindow-path.png")));
    QVERIFY2(picture::distinctColours(shot, paneArea) > 20, "no icons in the pane");
}

void tst_Screenshot::marksAndIconicPaths()
{
    const tz::AutoreleaseScope scope;
    const QFont font(QStringLiteral("DejaVu Sans"), 14);
    tz::MutableAttributedString text(QStringLiteral("Before burning\n  Blank the disc\n  Check the speed\n\n"),
                                     {{tz::FontAttributeName, font}});
    tz::insertLinePrefixColumnPrefix(text, nullptr, &tz::TzCheckboxAttachmentString::markClass());
    for (const QString& path : {QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                                QStringLiteral("/tmp/no such folder/image.iso")}) {
        tz::MutableAttributedString line(tz::iconicAttributedStringForPath(path));
        line.addAttributeInRange(tz::FontAttributeName, font, tz::Range{0, quint32(line.length())});
        text.appendAttributedString(line);
        text.appendString(QStringLiteral("\n"));
    }
    QTextEdit edit;
    edit.setReadOnly(true);
    edit.resize(560, 260);
    tz::replaceDocumentContents(*edit.document(), text);
    auto* cell = new tz::TzCheckboxAttachmentCell(&edit);
    cell->trackMouseInTextEdit(&edit);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));

    // The marks' boxes in window coordinates; click the first.
    const auto markBox = [&edit](int line) {
        QTextCursor cursor(edit.document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + 2);
        const QRect caret = edit.cursorRect(cursor);
        return QRect(edit.viewport()->mapTo(&edit, caret.topLeft()), QSize(12, caret.height()));
    };
    const QRect first = markBox(1);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.viewport()->mapFrom(&edit, first.center()));
    QVERIFY(cell->isChecked());

    // Checked and unchecked boxes look different on screen.
    QImage shot;
    QTRY_VERIFY_WITH_TIMEOUT((shot = edit.screen()->grabWindow(edit.winId()).toImage(),
                              darkRedPixels(shot, shot.rect()) > 20 && shot.copy(first) != shot.copy(markBox(2))),
                             5000);
    QVERIFY(shot.save(QStringLiteral("Marks.png")));
    QCOMPARE(shot.size(), edit.size());
}

QTEST_MAIN(tst_Screenshot)
#include "tst_Screenshot.moc"
