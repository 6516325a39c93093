#include "Widgets/TzNSWindowPositioning.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

namespace {

using Placement = void (*)(QWidget&);

// Runs on a primary screen whose available area is (0, 0, 1024, 746): y-up values are 746 minus
// Qt's.
constexpr int screenHeight = 746;

} // namespace

Q_DECLARE_METATYPE(Placement)

class tst_TzNSWindowPositioning : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, screenHeight));
    }

    // Where the frame lands, in y-up points: its left edge and either its top or its bottom edge.
    void placement_data()
    {
        QTest::addColumn<Placement>("place");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("left");
        QTest::addColumn<bool>("byTop");
        QTest::addColumn<int>("edge");
        QTest::newRow("topLeft") << Placement(tz::topLeft) << 300 << 4 << true << 742;
        QTest::newRow("topCenter") << Placement(tz::topCenter) << 300 << 362 << true << 742;
        QTest::newRow("topRight") << Placement(tz::topRight) << 300 << 720 << true << 742;
        QTest::newRow("bottomLeft") << Placement(tz::bottomLeft) << 300 << 4 << false << 4;
        QTest::newRow("bottomCenter") << Placement(tz::bottomCenter) << 300 << 362 << false << 4;
        QTest::newRow("bottomRight") << Placement(tz::bottomRight) << 300 << 720 << false << 4;
        QTest::newRow("topRight, wider than the screen") << Placement(tz::topRight) << 1100 << -80 << true << 742;
        QTest::newRow("bottomRight, wider than the screen") << Placement(tz::bottomRight) << 1100 << -80 << false << 4;
        QTest::newRow("topCenter, wider than the screen") << Placement(tz::topCenter) << 1100 << -38 << true << 742;
    }
    void placement()
    {
        QFETCH(Placement, place);
        QFETCH(int, width);
        QFETCH(int, left);
        QFETCH(bool, byTop);
        QFETCH(int, edge);

        QWidget window;
        window.setWindowTitle(QString::fromLatin1(QTest::currentDataTag()));
        window.move(150, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The frame (decorations, if any, included) is what is placed and measured.
        const QSize decorations = window.frameGeometry().size() - window.size();
        const QSize frameSize(width, 200);
        window.resize(frameSize - decorations);
        QTRY_COMPARE(window.frameGeometry().size(), frameSize);

        place(window);
        QTRY_COMPARE(window.frameGeometry().x(), left);
        const QRect frame = window.frameGeometry();
        QCOMPARE(byTop ? screenHeight - frame.top() : screenHeight - (frame.top() + frame.height()), edge);
        QCOMPARE(frame.size(), frameSize);
    }
};

QTEST_MAIN(tst_TzNSWindowPositioning)
#include "tst_TzNSWindowPositioning.moc"
