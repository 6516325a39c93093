#include "Graphics/TzNSFontLineHeight.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

class TestLineHeight : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneLinePlusTwo()
    {
        for (const qreal points : {9.0, 12.0, 24.0}) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(points);
            const QFontMetricsF metrics(font);
            QVERIFY(metrics.height() > 0);
            QCOMPARE(tz::lineHeight(font), metrics.ascent() + metrics.descent() + 2.0);
        }
    }

    void growsWithTheFont()
    {
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setPointSizeF(10);
        QFont large = small;
        large.setPointSizeF(20);
        QVERIFY(tz::lineHeight(large) > tz::lineHeight(small) + 5);
    }
};

QTEST_MAIN(TestLineHeight)
#include "tst_TzNSFontLineHeight.moc"
