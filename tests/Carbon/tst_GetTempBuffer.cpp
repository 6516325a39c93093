#include "Carbon/GetTempBuffer.h"

#include <QTest>

#include <cstring>

class TestGetTempBuffer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizes_data()
    {
        QTest::addColumn<qint64>("wanted");
        QTest::addColumn<qint64>("actual");
        QTest::newRow("rounded down") << qint64(10000) << qint64(8192);
        QTest::newRow("a multiple stays") << qint64(12288) << qint64(12288);
        QTest::newRow("small gives one block") << qint64(100) << qint64(4096);
        QTest::newRow("zero gives one block") << qint64(0) << qint64(4096);
        QTest::newRow("negative gives one block") << qint64(-5) << qint64(4096);
    }
    void sizes()
    {
        QFETCH(qint64, wanted);
        QFETCH(qint64, actual);
        qint64 size = -1;
        const tz::TempBuffer buffer = tz::GetTempBuffer(wanted, &size);
        QVERIFY(buffer);
        QCOMPARE(size, actual);
        std::memset(buffer.get(), 0xA5, size_t(size)); // all of it is usable
    }

    // More than is available: what can be spared, or nothing when only one block was asked.
    void lessAvailable_data()
    {
        QTest::addColumn<qint64>("wanted");
        QTest::addColumn<qint64>("available");
        QTest::addColumn<qint64>("actual");
        QTest::newRow("enough") << qint64(10000) << qint64(1 << 20) << qint64(8192);
        QTest::newRow("available less the reserve") << qint64(10 << 20) << qint64(1 << 20) << qint64((1 << 20) - 32768);
        QTest::newRow("rounded down") << qint64(10 << 20) << qint64(100000) << qint64(65536);
        QTest::newRow("nothing spare gives one block") << qint64(65536) << qint64(20000) << qint64(4096);
        QTest::newRow("one block asked, none there") << qint64(4096) << qint64(0) << qint64(0);
    }
    void lessAvailable()
    {
        QFETCH(qint64, wanted);
        QFETCH(qint64, available);
        QFETCH(qint64, actual);
        qint64 size = -1;
        const tz::TempBuffer buffer = tz::GetTempBuffer(wanted, &size, available);
        QCOMPARE(size, actual);
        QCOMPARE(bool(buffer), actual > 0);
        if (buffer)
            std::memset(buffer.get(), 0x5A, size_t(size));
    }

    void withoutActualSize()
    {
        QVERIFY(!tz::GetTempBuffer(4096, nullptr));
        QVERIFY(!tz::GetTempBuffer(4096, nullptr, 1 << 20));
    }
};

QTEST_GUILESS_MAIN(TestGetTempBuffer)
#include "tst_GetTempBuffer.moc"
