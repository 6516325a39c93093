#include "Foundation_Additions/NSData/TzNSDataEncrypt.h"

#include "Foundation/Data.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSData/TzNSDataDigest.h"
#include "support/StdErrCapture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace tz;

namespace {

const QString somebodySent =
    QStringLiteral("Somebody sent -[NSData(Encrypt) decryptedDataUsing:withKeySize:withRawKey:] a wrapped data!");
const QString decryptMessage = QStringLiteral("when decrypting");

Id pw(const char* text)
{
    return str(QString::fromUtf8(text));
}

QByteArray runOpenssl(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess openssl;
    openssl.start(QStandardPaths::findExecutable(QStringLiteral("openssl")), arguments);
    openssl.write(input);
    openssl.closeWriteChannel();
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return {};
    return openssl.readAllStandardOutput();
}

// The AES key of a password as the openssl tool derives it (PBKDF2-HMAC-SHA1, "sandGrit", 1000).
QByteArray opensslKey(const QString& password, int bits)
{
    const QByteArray out =
        runOpenssl({QStringLiteral("kdf"), QStringLiteral("-keylen"), QString::number(bits / 8),
                    QStringLiteral("-kdfopt"), QStringLiteral("digest:SHA1"), QStringLiteral("-kdfopt"),
                    QStringLiteral("pass:") + password, QStringLiteral("-kdfopt"), QStringLiteral("salt:sandGrit"),
                    QStringLiteral("-kdfopt"), QStringLiteral("iter:1000"), QStringLiteral("PBKDF2")});
    return out.trimmed().replace(':', QByteArray()).toLower();
}

QStringList encArguments(bool decrypt, int bits, const QByteArray& hexKey)
{
    return {QStringLiteral("enc"),
            decrypt ? QStringLiteral("-d") : QStringLiteral("-e"),
            QStringLiteral("-aes-%1-cbc").arg(bits),
            QStringLiteral("-K"),
            QString::fromLatin1(hexKey),
            QStringLiteral("-iv"),
            QString(32, u'0')};
}

} // namespace

class tst_TzNSDataEncrypt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cipherLengths()
    {
        for (const auto& [plain, cipher] : {std::pair{0, 16}, std::pair{15, 16}, std::pair{16, 32}})
            QCOMPARE(AES128EncryptedDataWithKey(QByteArray(plain, 'x'), pw("k")).size(), cipher);
    }

    void pairsAreInverse_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("128") << 128;
        QTest::newRow("192") << 192;
        QTest::newRow("256") << 256;
        QTest::newRow("768") << 768;
    }
    void pairsAreInverse()
    {
        QFETCH(int, size);
        const QByteArray payload("The payload, with a \0 inside", 28);
        const Id key = Data::make("password bytes");
        QByteArray cipher, plain;
        switch (size) {
        case 128:
            cipher = AES128EncryptedDataWithKey(payload, key);
            plain = AES128DecryptedDataWithKey(cipher, key);
            break;
        case 192:
            cipher = AES192EncryptedDataWithKey(payload, key);
            plain = AES192DecryptedDataWithKey(cipher, key);
            break;
        case 256:
            cipher = AES256EncryptedDataWithKey(payload, key);
            plain = AES256DecryptedDataWithKey(cipher, key);
            break;
        default:
            cipher = AES768EncryptedDataWithKey(payload, key);
            plain = AES768DecryptedDataWithKey(cipher, key);
            break;
        }
        QVERIFY(!cipher.isNull());
        QCOMPARE(plain, payload);
        // The wrapped form carries its size: the password alone reads it back.
        const QByteArray wrapped = wrappedAESEncryptedDataWithPass(payload, key, size);
        QCOMPARE(wrapperKeySize(wrapped), quint32(size));
        QCOMPARE(decryptedWrappedAESDataWithKey(wrapped, key), payload);
    }

    void stringPasswordIsItsNfdUtf8()
    {
        const QByteArray payload("payload");
        const QByteArray cipher = AES256EncryptedDataWithKey(payload, str(QStringLiteral("m\u00fcde")));
        QCOMPARE(AES256DecryptedDataWithKey(cipher,
                                            Data::make("mu\xcc\x88"
                                                       "de")),
                 payload);
        QCOMPARE(AES192EncryptedDataWithKey(payload, Data::make("abc")),
                 AES192EncryptedDataWithKey(payload, pw("abc")));
        // The chained form needs data: a string password gives null.
        QVERIFY(AES768EncryptedDataWithKey(payload, pw("abc")).isNull());
        QVERIFY(wrappedAES768EncryptedDataWithKey(payload, pw("abc")).isNull());
    }

    void envelopeLayout()
    {
        const QByteArray envelope = wrappedAES256EncryptedDataWithKey(QByteArray("12345"), pw("pw"));
        QCOMPARE(envelope.size(), 52);
        QCOMPARE(envelope.first(16).toHex(),
                 QByteArray("577261700000010"
                            "07fffffff7fffffff"));
        const QByteArray body = envelope.sliced(36);
        QCOMPARE(envelope.sliced(hashOffset(), hashSize()), sha1Digest(body));
        QCOMPARE(body, AES256EncryptedDataWithKey(QByteArray("12345"), pw("pw")));

        const Id dataKey = Data::make("pw");
        QCOMPARE(wrappedAES768EncryptedDataWithKey(QByteArray("x"), dataKey).sliced(4, 4).toHex(),
                 QByteArray("00000300"));
        QCOMPARE(wrappedAESEncryptedDataWithPass(QByteArray("x"), dataKey, -1).sliced(4, 4).toHex(),
                 QByteArray("00000080"));
        QCOMPARE(wrappedAESEncryptedDataWithPass(QByteArray("x"), dataKey, 1).sliced(4, 4).toHex(),
                 QByteArray("00000100"));
        // Sizes the reader would refuse are not written.
        QVERIFY(wrappedAESEncryptedDataWithPass(QByteArray("x"), dataKey, 512).isNull());
        QVERIFY(wrappedAESEncryptedDataWithPass(QByteArray("x"), dataKey, 64).isNull());
    }

    void wrapperKeySizes_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<quint32>("size");
        const QByteArray fills = QByteArray::fromHex("7fffffff7fffffff") + QByteArray(20, '\0');
        const auto header = [&](const char* sizeHex) { return "Wrap" + QByteArray::fromHex(sizeHex) + fills; };
        QTest::newRow("header only") << header("00000100") << 0u;
        QTest::newRow("one body byte") << header("00000100") + 'b' << 256u;
        QTest::newRow("768") << header("00000300") + 'b' << 768u;
        QTest::newRow("512 refused") << header("00000200") + 'b' << 0u;
        QTest::newRow("selector 0") << header("00000000") + 'b' << 192u;
        QTest::newRow("selector 1") << header("00000001") + 'b' << 256u;
        QTest::newRow("selector -1") << header("ffffffff") + 'b' << 128u;
        QTest::newRow("wrong magic") << "wrap" + header("00000100").sliced(4) + 'b' << 0u;
        QTest::newRow("short") << QByteArray("Wrap") << 0u;
        QTest::newRow("empty") << QByteArray() << 0u;
    }
    void wrapperKeySizes()
    {
        QFETCH(QByteArray, data);
        QFETCH(quint32, size);
        QCOMPARE(wrapperKeySize(data), size);
    }

    void plainDecryptionReadsEnvelopes()
    {
        const QByteArray envelope = wrappedAES128EncryptedDataWithKey(QByteArray("inside"), pw("pw"));
        StdErrCapture capture;
        // Algorithm and size are ignored for an envelope.
        const QByteArray plain = decryptedDataUsing(envelope, CSSM_ALGID_DES, 64, pw("pw"));
        QCOMPARE(plain, QByteArray("inside"));
        QVERIFY(QString::fromUtf8(capture.text()).contains(somebodySent));
    }

    void tamperedEnvelopes()
    {
        const QByteArray envelope = wrappedAES256EncryptedDataWithKey(QByteArray("payload of some length"), pw("pw"));
        for (const qsizetype at : {8, 12, 16, 35}) { // fill words and digest are not examined
            QByteArray changed = envelope;
            changed[at] = char(changed[at] ^ 0x55);
            QCOMPARE(decryptedWrappedAESDataWithKey(changed, pw("pw")), QByteArray("payload of some length"));
        }
        QByteArray changed = envelope;
        changed[changed.size() - 1] = char(changed[changed.size() - 1] ^ 0x55);
        StdErrCapture capture;
        QVERIFY(decryptedWrappedAESDataWithKey(changed, pw("pw")).isNull());
        QVERIFY(decryptedWrappedAESDataWithKey(envelope, pw("wrong")).isNull());
        const QString log = QString::fromUtf8(capture.text());
        QCOMPARE(log.count(decryptMessage), 2);
        QVERIFY(log.contains(QStringLiteral("\"TzNSDataEncrypt.cpp\",#")));
        QVERIFY(log.contains(QStringLiteral(
            "(-[NSData(Encrypt) decryptedDataUsing:withKeySize:withRawKey:]) The data could not be decrypted. "
            "The Security Framework returned the error message \"")));
    }

    void notEnvelopes()
    {
        StdErrCapture capture;
        QVERIFY(
            decryptedWrappedAESDataWithKey(QByteArray("no magic here, but long enough to be one"), pw("pw")).isNull());
        QVERIFY(decryptedWrappedAESDataWithKey(QByteArray("Wrap"), pw("pw")).isNull());
        QVERIFY(QString::fromUtf8(capture.text()).isEmpty());
        // Short data starting with the magic is plain cipher text.
        const QByteArray shortWrap("Wrap and 16 more");
        QCOMPARE(wrapperKeySize(shortWrap), 0u);
        QVERIFY(!QString::fromUtf8(capture.text()).contains(somebodySent));
    }

    void refusedEnvelopeLogsThenFails()
    {
        QByteArray envelope = wrappedAES256EncryptedDataWithKey(QByteArray("x"), pw("pw"));
        envelope[6] = 2; // 512
        StdErrCapture capture;
        QVERIFY(decryptedDataUsing(envelope, CSSM_ALGID_AES, 256, pw("pw")).isNull());
        QVERIFY(QString::fromUtf8(capture.text()).contains(somebodySent));
    }

    // A body that itself starts like an envelope is cipher text, not a second envelope: the
    // reader must not follow it (nested headers once recursed without bound).
    void nestedHeadersDoNotRecurse()
    {
        const QByteArray header = "Wrap" + QByteArray::fromHex("00000100") + QByteArray(28, '\x7f');
        QByteArray nested;
        for (int i = 0; i < 20000; ++i)
            nested += header;
        nested += QByteArray(16, 'b');
        StdErrCapture capture;
        QVERIFY(decryptedWrappedAESDataWithKey(nested, pw("pw")).isNull());
        QVERIFY(decryptedDataUsing(nested, CSSM_ALGID_AES, 256, pw("pw")).isNull());
        QCOMPARE(QString::fromUtf8(capture.text()).count(somebodySent), 1);
    }

    void blowfishIsNotSupported()
    {
        const QByteArray cipher = AES256EncryptedDataWithKey(QByteArray("x"), pw("pw"));
        StdErrCapture capture;
        QVERIFY(blowfish256DecryptedDataWithKey(cipher, pw("pw")).isNull());
        QVERIFY(QString::fromUtf8(capture.text()).contains(decryptMessage));
    }

    // The envelope body is plain AES-CBC: the openssl tool reads it given the PBKDF2 key it
    // derives itself, and its own cipher text, wrapped by hand, reads back here.
    void interoperatesWithOpensslTool_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("128") << 128;
        QTest::newRow("256") << 256;
    }
    void interoperatesWithOpensslTool()
    {
        QFETCH(int, size);
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty(), "the openssl tool is missing");
        const QString password = QStringLiteral("correct horse battery");
        const QByteArray hexKey = opensslKey(password, size);
        QCOMPARE(hexKey.size(), size / 4);

        const QByteArray payload("Interoperable payload: 0123456789abcdef!");
        const QByteArray envelope = wrappedAESEncryptedDataWithPass(payload, str(password), size);
        QCOMPARE(runOpenssl(encArguments(true, size, hexKey), envelope.sliced(wrapperLength())), payload);

        const QByteArray theirs = runOpenssl(encArguments(false, size, hexKey), payload);
        QVERIFY(!theirs.isEmpty());
        QByteArray handWrapped = "Wrap" + QByteArray::fromHex(QByteArray::number(size, 16).rightJustified(8, '0'))
            + QByteArray(28, '\0') + theirs;
        QCOMPARE(decryptedWrappedAESDataWithKey(handWrapped, str(password)), payload);
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataEncrypt)
#include "tst_TzNSDataEncrypt.moc"
