#include "Foundation_Additions/NSAttributedString/TzNSColorIsEqualToColor.h"

#include <QTest>

class tst_TzNSColorIsEqualToColor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colors_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<bool>("equal");

        QTest::newRow("black: rgb and cmyk") << QColor(Qt::black) << QColor::fromCmykF(0, 0, 0, 1) << true;
        QTest::newRow("black: rgb and hsl") << QColor(Qt::black) << QColor::fromHslF(0.5f, 0.3f, 0) << true;
        QTest::newRow("grey: rgb and hsv") << QColor(128, 128, 128) << QColor::fromHsv(0, 0, 128) << true;
        QTest::newRow("blue: rgb and extended")
            << QColor(Qt::blue) << QColor::fromRgbF(0, 0, 1).toExtendedRgb() << true;
        QTest::newRow("alpha differs") << QColor(255, 0, 0, 255) << QColor(255, 0, 0, 254) << false;
        QTest::newRow("one step of 16 bits") << QColor::fromRgba64(0, 0, 1) << QColor::fromRgba64(0, 0, 0) << false;
        QTest::newRow("beyond white is not white") << QColor(Qt::white) << QColor::fromRgbF(1.5f, 1.5f, 1.5f) << false;
        QTest::newRow("invalid") << QColor(Qt::black) << QColor() << false;
        QTest::newRow("invalid with itself") << QColor() << QColor() << false;
    }

    void colors()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(bool, equal);
        QCOMPARE(tz::isEqualToColor(a, b), equal);
        QCOMPARE(tz::isEqualToColor(b, a), equal);
    }

    void brushes()
    {
        QVERIFY(tz::isEqualToColor(QBrush(Qt::black), QBrush(QColor::fromCmykF(0, 0, 0, 1))));
        QVERIFY(!tz::isEqualToColor(QBrush(Qt::black), QBrush(Qt::black, Qt::Dense4Pattern)));
        QVERIFY(!tz::isEqualToColor(QBrush(Qt::black, Qt::CrossPattern), QBrush(Qt::black, Qt::CrossPattern)));
        QVERIFY(!tz::isEqualToColor(QBrush(Qt::black), QBrush()));
    }
};

QTEST_GUILESS_MAIN(tst_TzNSColorIsEqualToColor)
#include "tst_TzNSColorIsEqualToColor.moc"
