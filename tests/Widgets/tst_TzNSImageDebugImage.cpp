#include "Widgets/TzNSImageDebugImage.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_TzNSImageDebugImage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Blue where the image is transparent, the image elsewhere; gone once closed.
    void showsTheImageOverBlue()
    {
        QImage image(8, 6, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int y = 0; y < 6; ++y) {
            for (int x = 4; x < 8; ++x)
                image.setPixelColor(x, y, Qt::red);
        }
        QPointer<QWidget> window = tz::show(image, u"Probe"_s);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowTitle(), u"Probe"_s);
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(window->size(), QSize(8, 6));
        const QImage shown = window->grab().toImage();
        QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(6, 4), QColor(Qt::red));

        window->close();
        QTRY_VERIFY(!window);
    }

    void titles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none") << QString() << u"(untitled)"_s;
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("given") << u"Badge"_s << u"Badge"_s;
    }
    void titles()
    {
        QFETCH(QString, title);
        QImage image(16, 8, QImage::Format_ARGB32);
        image.fill(Qt::green);
        image.setDevicePixelRatio(2.0);
        const std::unique_ptr<QWidget> window(tz::show(image, title));
        QTEST(window->windowTitle(), "shown");
        QCOMPARE(window->size(), QSize(8, 4));
    }
};

QTEST_MAIN(tst_TzNSImageDebugImage)
#include "tst_TzNSImageDebugImage.moc"
