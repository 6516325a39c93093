#include "Foundation_Additions/NSString/TzNSStringFormattedFileSize.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestFormattedFileSize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileSize_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("text");

        QTest::newRow("zero") << 0.0 << u"0.00Bytes"_s;
        QTest::newRow("512") << 512.0 << u"512.00Bytes"_s;
        QTest::newRow("1024 is not above a kb") << 1024.0 << u"1024.00Bytes"_s;
        QTest::newRow("1025") << 1025.0 << u"1.00kb"_s;
        QTest::newRow("1536") << 1536.0 << u"1.50kb"_s;
        QTest::newRow("one mb") << 1048576.0 << u"1024.00kb"_s;
        QTest::newRow("three gb") << 3.0 * 1073741824.0 << u"3.00gb"_s;
        QTest::newRow("just above a tb") << 1099511627776.0 + 1 << u"1.00tb"_s;
        QTest::newRow("mb") << 5.25 * 1048576.0 << u"5.25mb"_s;
    }
    void fileSize()
    {
        QFETCH(double, size);
        QFETCH(QString, text);
        QCOMPARE(tz::formattedFileSize(size), text);
    }
};

QTEST_GUILESS_MAIN(TestFormattedFileSize)
#include "tst_TzNSStringFormattedFileSize.moc"
