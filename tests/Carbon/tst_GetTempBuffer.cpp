#include "Carbon/GetTempBuffer.h"

#include <QTest>

#include <cstring>
#include <limits>

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
        std::memset(buffer.get(), 0xA5, size_t(size));   // all of it is usable
    }

    // More than the machine has: a smaller buffer of what it can spare.
    void moreThanAvailable()
    {
        qint64 size = -1;
        const tz::TempBuffer buffer = tz::GetTempBuffer(std::numeric_limits<qint64>::max() / 2, &size);
        QVERIFY(buffer);
        QVERIFY(size >= 4096);
        QVERIFY(size < std::numeric_limits<qint64>::max() / 2);
        QCOMPARE(size % 4096, 0);
        buffer.get()[0] = 1;
        buffer.get()[size - 1] = 1;
    }

    void withoutActualSize() { QVERIFY(!tz::GetTempBuffer(4096, nullptr)); }
};

QTEST_GUILESS_MAIN(TestGetTempBuffer)
#include "tst_GetTempBuffer.moc"
