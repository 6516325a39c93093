#include "Foundation_Additions/NSData/TzNSDataMD5.h"

#include <QTest>

using namespace tz;

class tst_TzNSDataMD5 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void digestOfData()
    {
        QCOMPARE(MD5ForData(QByteArray()).toHex(), QByteArray("d41d8cd98f00b204e9800998ecf8427e"));
        QCOMPARE(MD5ForData(QByteArray("abc")).toHex(), QByteArray("900150983cd24fb0d6963f7d28e17f72"));
    }

    void trailerRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("56 bytes") << QByteArray(56, 'q');
        QTest::newRow("binary") << QByteArray::fromHex("00ff10ee80017f");
    }
    void trailerRoundTrip()
    {
        QFETCH(QByteArray, payload);
        const QByteArray protectedData = dataWithAppendedMD5(payload);
        QCOMPARE(protectedData.size(), payload.size() + 16);
        QCOMPARE(protectedData.last(16), MD5ForData(payload));
        QVERIFY(dataChecksWithMD5(protectedData));
        QCOMPARE(dataMinusMD5(protectedData), payload);
        QVERIFY(!dataMinusMD5(protectedData).isNull());
        QVERIFY(dataChecksWithMD5(payload, MD5ForData(payload)));
    }

    void anyChangedByteFails()
    {
        const QByteArray protectedData = dataWithAppendedMD5(QByteArray("payload"));
        for (qsizetype i = 0; i < protectedData.size(); ++i) {
            QByteArray changed = protectedData;
            changed[i] = char(changed[i] ^ 0x01);
            QVERIFY2(!dataChecksWithMD5(changed), qPrintable(QString::number(i)));
        }
    }

    void shortAndMismatchedInput()
    {
        // 16 bytes check only when they are the MD5 of nothing.
        QVERIFY(dataChecksWithMD5(MD5ForData(QByteArray())));
        QVERIFY(!dataChecksWithMD5(QByteArray(16, 'a')));
        for (const QByteArray& shortData : {QByteArray(), QByteArray(""), QByteArray(15, 'a')}) {
            QVERIFY(!dataChecksWithMD5(shortData));
            QCOMPARE(dataMinusMD5(shortData), QByteArray(""));
        }
        const QByteArray digest = MD5ForData(QByteArray("abc"));
        QVERIFY(!dataChecksWithMD5(QByteArray("abc"), digest.first(15)));
        QVERIFY(!dataChecksWithMD5(QByteArray("abc"), digest + 'x'));
        QVERIFY(!dataChecksWithMD5(QByteArray("abc"), QByteArray()));
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataMD5)
#include "tst_TzNSDataMD5.moc"
