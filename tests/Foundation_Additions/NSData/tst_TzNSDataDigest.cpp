#include "Foundation_Additions/NSData/TzNSDataDigest.h"
#include "Foundation_Additions/NSData/TzNSDataMD5.h"

#include <QTest>

using namespace tz;

class tst_TzNSDataDigest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // FIPS 180 examples and RFC 1321.
    void publishedDigests_data()
    {
        QTest::addColumn<quint32>("algorithm");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("digest");
        QTest::newRow("md5 abc") << quint32(CSSM_ALGID_MD5) << QByteArray("abc")
                                 << QByteArray("900150983cd24fb0d6963f7d28e17f72");
        QTest::newRow("sha1 abc") << quint32(CSSM_ALGID_SHA1) << QByteArray("abc")
                                  << QByteArray("a9993e364706816aba3e25717850c26c9cd0d89d");
        QTest::newRow("sha1 empty") << quint32(CSSM_ALGID_SHA1) << QByteArray("")
                                    << QByteArray("da39a3ee5e6b4b0d3255bfef95601890afd80709");
        QTest::newRow("sha256 abc") << quint32(CSSM_ALGID_SHA256) << QByteArray("abc")
                                    << QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    }
    void publishedDigests()
    {
        QFETCH(quint32, algorithm);
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, digest);
        QCOMPARE(digestWithCDSAType(message, algorithm).toHex(), digest);
    }

    void conveniences()
    {
        const QByteArray data("The quick brown fox");
        QCOMPARE(md5Digest(data), MD5ForData(data));
        QCOMPARE(sha1Digest(data).size(), 20);
        QCOMPARE(sha256Digest(data).size(), 32);
    }

    void unknownAlgorithmIsNull()
    {
        QVERIFY(digestWithCDSAType(QByteArray("abc"), CSSM_ALGID_NONE).isNull());
        QVERIFY(digestWithCDSAType(QByteArray("abc"), CSSM_ALGID_AES).isNull());
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataDigest)
#include "tst_TzNSDataDigest.moc"
