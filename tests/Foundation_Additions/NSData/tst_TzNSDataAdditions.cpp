#include "Foundation_Additions/NSData/TzNSDataAdditions.h"

#include <QTest>

using namespace tz;

class tst_TzNSDataAdditions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendingLeavesTheReceiver()
    {
        const QByteArray data("abc");
        QCOMPARE(dataByAppendingData(data, QByteArray("de")), QByteArray("abcde"));
        QCOMPARE(dataByAppendingBytesLength(data, "xyz", 2), QByteArray("abcxy"));
        QCOMPARE(dataByAppendingBytesLength(data, nullptr, 5), data);
        QCOMPARE(dataByAppendingBytesLength(QByteArray(), "\0\1", 2), QByteArray("\0\1", 2));
        QCOMPARE(data, QByteArray("abc"));
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataAdditions)
#include "tst_TzNSDataAdditions.moc"
