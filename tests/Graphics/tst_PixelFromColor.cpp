#include "Graphics/PixelFromColor.h"

#include <QTest>

class tst_PixelFromColor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bytesOfColour_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("opaque white") << QColor(Qt::white) << QByteArray("\xFF\xFF\xFF\xFF", 4);
        QTest::newRow("halves truncate to 7F")
            << QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.5f) << QByteArray("\x7F\x7F\x7F\x7F", 4);
        QTest::newRow("red, green, blue, alpha order")
            << QColor::fromRgbF(1.0f, 0.0f, 0.25f, 0.75f) << QByteArray("\xFF\x00\x3F\xBF", 4);
        QTest::newRow("hsv converted to rgb") << QColor::fromHsvF(1.0f / 3, 1, 1) << QByteArray("\x00\xFF\x00\xFF", 4);
        QTest::newRow("out of range clamped")
            << QColor::fromRgbF(2.0f, -1.0f, 0.0f, 1.0f) << QByteArray("\xFF\x00\x00\xFF", 4);
        QTest::newRow("transparent") << QColor(Qt::transparent) << QByteArray(4, '\0');
        QTest::newRow("invalid") << QColor() << QByteArray(4, '\0');
    }
    void bytesOfColour()
    {
        QFETCH(QColor, color);
        QFETCH(QByteArray, bytes);
        uchar pixel[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
        tz::PixelFromColor(pixel + 1, color);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pixel + 1), 4).toHex(' '), bytes.toHex(' '));
        QCOMPARE(pixel[0], uchar(0xAA));
        QCOMPARE(pixel[5], uchar(0xAA));
    }
};

QTEST_GUILESS_MAIN(tst_PixelFromColor)
#include "tst_PixelFromColor.moc"
