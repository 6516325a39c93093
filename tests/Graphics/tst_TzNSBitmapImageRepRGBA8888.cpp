#include "Graphics/TzNSBitmapImageRepRGBA8888.h"

#include <QColorSpace>
#include <QGuiApplication>
#include <QPicture>
#include <QPixmap>
#include <QTest>

namespace {

QByteArray pixelBytes(const QImage& image, int x, int y)
{
    return QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)) + 4 * x, 4).toHex(' ');
}

} // namespace

class tst_TzNSBitmapImageRepRGBA8888 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The painter, the image and the provider all work on the bitmap's own buffer: a write
    // through one is seen through the others.
    void bridgesShareTheBitmapsBytes()
    {
        QImage bitmap(4, 3, tz::rgba8888Format);
        bitmap.fill(Qt::transparent);
        const uchar* const buffer = bitmap.constBits();

        const QImage image = tz::CGImageRefForRepresentation(bitmap);
        const tz::DataProvider provider = tz::dataProvider(bitmap);
        QCOMPARE(image.constBits(), buffer);
        QCOMPARE(provider.bytes(), buffer);
        QCOMPARE(provider.size, qsizetype(4 * 4 * 3));
        {
            const auto context = tz::CGContextRefForRepresentation(bitmap);
            QVERIFY(context);
            context->painter().fillRect(QRect(1, 2, 1, 1), QColor(255, 0, 0, 128));
        }
        QCOMPARE(bitmap.constBits(), buffer);
        QCOMPARE(pixelBytes(bitmap, 1, 2), QByteArray("80 00 00 80"));
        QCOMPARE(pixelBytes(image, 1, 2), QByteArray("80 00 00 80"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(provider.bytes()) + 2 * 16 + 4, 4).toHex(' '),
                 QByteArray("80 00 00 80"));

        bitmap.bits()[0] = 0x11;
        QCOMPARE(image.constBits()[0], uchar(0x11));
        QCOMPARE(provider.bytes()[0], uchar(0x11));
    }

    void noneAndUnpaintableBitmaps()
    {
        QImage null;
        QVERIFY(!tz::CGContextRefForRepresentation(null));
        QVERIFY(tz::CGImageRefForRepresentation(null).isNull());
        QCOMPARE(tz::dataProvider(null).size, qsizetype(0));
        QVERIFY(!tz::dataProvider(null).bytes());
        QVERIFY(tz::RGBA8888Representation(null).isNull());

        // No colour table: the indexes stand for nothing, and read as transparent.
        QImage indexed(4, 4, QImage::Format_Indexed8);
        std::fill_n(indexed.bits(), indexed.sizeInBytes(), uchar(7));
        QVERIFY(!tz::CGContextRefForRepresentation(indexed));
        const QImage rgba = tz::RGBA8888Representation(indexed);
        QCOMPARE(rgba.size(), QSize(4, 4));
        QCOMPARE(pixelBytes(rgba, 3, 3), QByteArray("00 00 00 00"));
        indexed.setColorTable(QList<QRgb>(8, qRgb(0, 255, 0)));
        QCOMPARE(pixelBytes(tz::RGBA8888Representation(indexed), 3, 3), QByteArray("00 ff 00 ff"));
    }

    void representationIsPremultipliedRGBA_data()
    {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<QByteArray>("first");
        QImage argb(2, 1, QImage::Format_ARGB32);
        argb.setPixel(0, 0, 0x80FF0000);
        argb.setPixel(1, 0, 0xFF00FF40);
        argb.setColorSpace(QColorSpace::DisplayP3);
        QTest::newRow("ARGB32, not premultiplied") << argb << QByteArray("80 00 00 80");
        QImage rgb(2, 1, QImage::Format_RGB888);
        rgb.setPixel(0, 0, 0xFF800000);
        rgb.setPixel(1, 0, 0xFF00FF40);
        rgb.setDevicePixelRatio(2.0);
        QTest::newRow("RGB888, ratio 2") << rgb << QByteArray("80 00 00 ff");
    }
    void representationIsPremultipliedRGBA()
    {
        QFETCH(QImage, source);
        QFETCH(QByteArray, first);
        const QImage rgba = tz::RGBA8888Representation(source);
        QCOMPARE(rgba.format(), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(rgba.size(), source.size());
        QCOMPARE(rgba.devicePixelRatio(), 1.0);
        QCOMPARE(rgba.bytesPerLine(), 4 * rgba.width());
        QCOMPARE(rgba.colorSpace(), source.colorSpace());
        QCOMPARE(pixelBytes(rgba, 0, 0), first);
        QCOMPARE(pixelBytes(rgba, 1, 0), QByteArray("00 ff 40 ff"));
    }

    // The rectangle is y-up: (0, 0, 4, 2) is the left half of the bottom two rows.
    void snapshotOfTheFocusedCanvas()
    {
        QImage canvasImage(8, 8, QImage::Format_ARGB32_Premultiplied);
        QPixmap canvasPixmap(8, 8);
        for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&canvasImage, &canvasPixmap}) {
            QPainter painter(device);
            painter.fillRect(QRect(0, 0, 8, 8), Qt::red);
            painter.fillRect(QRect(0, 6, 4, 2), Qt::blue);
            const QImage bottom = tz::bitmapWithFocusedViewRect(painter, QRectF(0, 0, 4, 2));
            QCOMPARE(bottom.size(), QSize(4, 2));
            QCOMPARE(bottom.devicePixelRatio(), 1.0);
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 4; ++x)
                    QCOMPARE(bottom.pixelColor(x, y), QColor(Qt::blue));
            }
            QCOMPARE(tz::bitmapWithFocusedViewRect(painter, QRectF(4, 6, 4, 2)).pixelColor(0, 0), QColor(Qt::red));
            QVERIFY(tz::bitmapWithFocusedViewRect(painter, QRectF(20, 20, 4, 4)).isNull());
        }
        QPicture picture;
        QPainter recording(&picture);
        QVERIFY(tz::bitmapWithFocusedViewRect(recording, QRectF(0, 0, 4, 4)).isNull());
        recording.end();
        QVERIFY(tz::bitmapWithFocusedViewRect(recording, QRectF(0, 0, 4, 4)).isNull());
    }
};

QTEST_MAIN(tst_TzNSBitmapImageRepRGBA8888)
#include "tst_TzNSBitmapImageRepRGBA8888.moc"
