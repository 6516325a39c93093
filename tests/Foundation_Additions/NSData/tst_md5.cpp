#include "Foundation_Additions/NSData/md5.h"

#include <QTest>

#include <openssl/evp.h>

class tst_md5 : public QObject
{
    Q_OBJECT

private:
    static QByteArray digestOf(const QByteArray& message)
    {
        QByteArray digest(16, '\0');
        const void* result = md5_buffer(message.constData(), std::size_t(message.size()), digest.data());
        Q_ASSERT(result == digest.data());
        return digest;
    }

private Q_SLOTS:
    void rfc1321Suite_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("digest");
        QTest::newRow("empty") << QByteArray("") << QByteArray("d41d8cd98f00b204e9800998ecf8427e");
        QTest::newRow("a") << QByteArray("a") << QByteArray("0cc175b9c0f1b6a831c399e269772661");
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("900150983cd24fb0d6963f7d28e17f72");
        QTest::newRow("message digest") << QByteArray("message digest")
                                        << QByteArray("f96b697d7cb7938d525a2f31aaf161d0");
        QTest::newRow("alphabet") << QByteArray("abcdefghijklmnopqrstuvwxyz")
                                  << QByteArray("c3fcd3d76192e4007dfb496cca67e13b");
        QTest::newRow("alphanumerics") << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")
                                       << QByteArray("d174ab98d277d9f5a5611c2c9f419d9f");
        QTest::newRow("digits x8") << QByteArray(
            "12345678901234567890123456789012345678901234567890123456789012345678901234567890")
                                   << QByteArray("57edf4a22be3c955ac49da2e2107b67a");
    }
    void rfc1321Suite()
    {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, digest);
        QCOMPARE(digestOf(message).toHex(), digest);
    }

    // Every tail length from 0 to 63 past 0, 1 and 2 whole blocks, against OpenSSL's MD5:
    // covers the one-block/two-block padding boundary at 56 and the length field.
    void paddingBoundariesMatchOpenSsl()
    {
        QByteArray message;
        for (int length = 0; length <= 200; ++length) {
            QByteArray expected(16, '\0');
            unsigned int n = 0;
            QVERIFY(EVP_Digest(message.constData(), std::size_t(message.size()),
                               reinterpret_cast<unsigned char*>(expected.data()), &n, EVP_md5(), nullptr));
            QCOMPARE(digestOf(message), expected);
            message.append(char(length * 7 + 1));
        }
    }

    void blocksAndReadingTheState()
    {
        md5_ctx ctx;
        QCOMPARE(md5_init_ctx(&ctx), &ctx);
        QCOMPARE(ctx.A, 0x67452301u);
        QCOMPARE(ctx.D, 0x10325476u);

        // The padded block of "abc", fed by hand, gives the RFC digest; reading twice changes nothing.
        unsigned char block[64] = {'a', 'b', 'c', 0x80};
        block[56] = 24;
        md5_process_block(block, sizeof block, &ctx);
        unsigned char first[16], second[16];
        QCOMPARE(md5_read_ctx(&ctx, first), static_cast<void*>(first));
        md5_read_ctx(&ctx, second);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(first), 16).toHex(),
                 QByteArray("900150983cd24fb0d6963f7d28e17f72"));
        QCOMPARE(QByteArray(reinterpret_cast<char*>(second), 16), QByteArray(reinterpret_cast<char*>(first), 16));
    }
};

QTEST_APPLESS_MAIN(tst_md5)
#include "tst_md5.moc"
