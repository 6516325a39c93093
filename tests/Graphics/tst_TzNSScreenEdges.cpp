#include "Graphics/TzNSScreenEdges.h"

#include <QGuiApplication>
#include <QTest>

// Runs on two offscreen screens: the primary one at (0, 0, 1024, 746) and one of 800 × 600 on
// its right, their tops aligned (Qt's coordinates).
class tst_TzNSScreenEdges : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 746));
    }

    void edges_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QRectF>("visibleFrame");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("bottom");
        QTest::addColumn<float>("right");
        QTest::newRow("primary") << 0 << QRectF(0, 0, 1024, 746) << 742.0f << 4.0f << 4.0f << 1020.0f;
        // Its bottom is 146 points above the primary screen's.
        QTest::newRow("right of it") << 1 << QRectF(1024, 146, 800, 600) << 742.0f << 1028.0f << 150.0f << 1820.0f;
    }
    void edges()
    {
        QFETCH(int, screen);
        const QScreen& s = *QGuiApplication::screens().at(screen);
        QTEST(tz::visibleFrame(s), "visibleFrame");
        QTEST(tz::_screenTop(s), "top");
        QTEST(tz::_screenLeft(s), "left");
        QTEST(tz::_screenBottom(s), "bottom");
        QTEST(tz::_screenRight(s), "right");
    }

    void pointsFlipAboutThePrimaryBottom()
    {
        QCOMPARE(tz::yUpPoint(QPointF(10, 0)), QPointF(10, 746));
        QCOMPARE(tz::yUpPoint(QPointF(-5, 746)), QPointF(-5, 0));
        QCOMPARE(tz::globalPoint(QPointF(720, 742)), QPointF(720, 4));
        QCOMPARE(tz::globalPoint(tz::yUpPoint(QPointF(1500.5, 300.25))), QPointF(1500.5, 300.25));
    }
};

QTEST_MAIN(tst_TzNSScreenEdges)
#include "tst_TzNSScreenEdges.moc"
