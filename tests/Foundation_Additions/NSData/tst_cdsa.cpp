#include "Foundation_Additions/NSData/cdsa.h"

#include "Foundation/Data.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSData/CSSM_Key.h"

#include <QTest>

#include <cstring>

namespace {

QByteArray bytesOf(const CSSM_DATA& data)
{
    return QByteArray(reinterpret_cast<const char*>(data.Data), qsizetype(data.Length));
}

CSSM_DATA viewOf(const QByteArray& bytes)
{
    return {std::uint32_t(bytes.size()), reinterpret_cast<std::uint8_t*>(const_cast<char*>(bytes.constData()))};
}

// A key record that owns copies of given raw bytes.
struct RawKey
{
    CSSM_KEY key{};
    RawKey(CSSM_ALGORITHMS algorithm, const QByteArray& bytes)
    {
        key.KeyHeader.AlgorithmId = algorithm;
        key.KeyHeader.KeyClass = CSSM_KEYCLASS_SESSION_KEY;
        key.KeyData = {std::uint32_t(bytes.size()), static_cast<std::uint8_t*>(std::malloc(std::size_t(bytes.size())))};
        std::memcpy(key.KeyData.Data, bytes.constData(), std::size_t(bytes.size()));
    }
    ~RawKey() { std::free(key.KeyData.Data); }
};

} // namespace

class tst_cdsa : public QObject
{
    Q_OBJECT

    CSSM_CSP_HANDLE _csp = 0;

    // Status and output of one encryption or decryption, the buffer released here.
    CSSM_RETURN run(bool encrypt, const CSSM_KEY* key, const QByteArray& in, QByteArray* out)
    {
        const CSSM_DATA input = viewOf(in);
        CSSM_DATA output{0, nullptr};
        const CSSM_RETURN status =
            encrypt ? cdsaEncrypt(_csp, key, &input, &output) : cdsaDecrypt(_csp, key, &input, &output);
        const CssmBuffer owner(output.Data);
        if (status == CSSM_OK)
            *out = bytesOf(output);
        else
            [&] { QVERIFY(!output.Data); }();
        return status;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(cssmStartup(), CSSM_OK);
        QCOMPARE(cssmStartup(), CSSM_OK);
        QCOMPARE(cdsaCspAttach(&_csp), CSSM_OK);
    }
    void cleanupTestCase() { QCOMPARE(cdsaCspDetach(_csp), CSSM_OK); }

    void attachmentsAreDistinct()
    {
        CSSM_CSP_HANDLE other = 0;
        QCOMPARE(cdsaCspAttach(&other), CSSM_OK);
        QVERIFY(other != _csp);
        QCOMPARE(cdsaCspDetach(other), CSSM_OK);
        QCOMPARE(cdsaCspDetach(other), CSSMERR_CSSM_INVALID_ADDIN_HANDLE);
        CSSM_KEY key;
        QCOMPARE(cdsaDeriveKey(other, "pw", 2, CSSM_ALGID_AES, 128, &key), CSSMERR_CSSM_INVALID_ADDIN_HANDLE);
    }

    void sizeSelector_data()
    {
        QTest::addColumn<quint32>("algorithm");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("bits");
        QTest::newRow("AES smallest") << quint32(CSSM_ALGID_AES) << -1 << 128;
        QTest::newRow("AES middle") << quint32(CSSM_ALGID_AES) << 0 << 192;
        QTest::newRow("AES largest") << quint32(CSSM_ALGID_AES) << 1 << 256;
        QTest::newRow("AES 256 as given") << quint32(CSSM_ALGID_AES) << 256 << 256;
        QTest::newRow("RC2 middle") << quint32(CSSM_ALGID_RC2) << 0 << 40;
        QTest::newRow("RC5 largest") << quint32(CSSM_ALGID_RC5) << 1 << 255;
        QTest::newRow("3DES smallest") << quint32(CSSM_ALGID_3DES_3KEY_EDE) << -1 << 192;
        QTest::newRow("no row passes -1 on") << quint32(CSSM_ALGID_BLOWFISH) << -1 << -1;
        QTest::newRow("no row passes 1 on") << quint32(CSSM_ALGID_BLOWFISH) << 1 << 1;
    }
    void sizeSelector()
    {
        QFETCH(quint32, algorithm);
        QFETCH(int, length);
        QFETCH(int, bits);
        QCOMPARE(cdsaResolveKeySize(algorithm, length), bits);
    }

    // RFC 6070 test vectors for PBKDF2-HMAC-SHA1.
    void pbkdf2Vectors_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("salt");
        QTest::addColumn<quint32>("iterations");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("c=1") << QByteArray("password") << QByteArray("salt") << 1u
                             << QByteArray("0c60c80f961f0e71f3a9b524af6012062fe037a6");
        QTest::newRow("c=2") << QByteArray("password") << QByteArray("salt") << 2u
                             << QByteArray("ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957");
        QTest::newRow("c=4096") << QByteArray("password") << QByteArray("salt") << 4096u
                                << QByteArray("4b007901b765489abead49d926f721d065a429c1");
        QTest::newRow("long password and salt")
            << QByteArray("passwordPASSWORDpassword") << QByteArray("saltSALTsaltSALTsaltSALTsaltSALTsalt") << 4096u
            << QByteArray("3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038");
        QTest::newRow("embedded NUL") << QByteArray("pass\0word", 9) << QByteArray("sa\0lt", 5) << 4096u
                                      << QByteArray("56fa6aa75548099dcc37d7f03425e0c3");
    }
    void pbkdf2Vectors()
    {
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, salt);
        QFETCH(quint32, iterations);
        QFETCH(QByteArray, key);
        CSSM_KEY derived;
        QCOMPARE(cdsaDeriveKeyWithSalt(_csp, password.constData(), std::size_t(password.size()), CSSM_ALGID_AES,
                                       std::uint32_t(key.size() / 2 * 8), &derived,
                                       reinterpret_cast<const unsigned char*>(salt.constData()),
                                       std::size_t(salt.size()), iterations),
                 CSSM_OK);
        QCOMPARE(bytesOf(derived.KeyData).toHex(), key);
        QCOMPARE(cdsaFreeKey(_csp, &derived), CSSM_OK);
        QVERIFY(!derived.KeyData.Data);
    }

    void keyObjects()
    {
        for (const int selector : {-1, 0, 1}) {
            const auto key = CSSM_Key::CSSM_KeyOfType(CSSM_ALGID_AES, tz::str(QStringLiteral("pw")), selector, _csp);
            QVERIFY(key);
            QCOMPARE(key->keyBitLength(), 128 + 64 * (selector + 1));
            QCOMPARE(int(key->CSSM_KeyPtr()->KeyData.Length) * 8, key->keyBitLength());
            QCOMPARE(key->CSSM_KeyPtr()->KeyHeader.AlgorithmId, quint32(CSSM_ALGID_AES));
        }
        // Same password, same key; a string counts as its NFD UTF-8 bytes.
        const QString composed = QStringLiteral("caf\u00e9");
        const auto fromString = CSSM_Key::CSSM_KeyOfType(CSSM_ALGID_AES, tz::str(composed), 256, _csp);
        const auto fromData =
            CSSM_Key::CSSM_KeyOfType(CSSM_ALGID_AES, tz::Data::make(QByteArray("cafe\xcc\x81")), 256, _csp);
        QVERIFY(fromString && fromData);
        QCOMPARE(bytesOf(fromString->CSSM_KeyPtr()->KeyData), bytesOf(fromData->CSSM_KeyPtr()->KeyData));
        // No row and a selector: the selector is the length, and no key can have it.
        QVERIFY(!CSSM_Key::CSSM_KeyOfType(CSSM_ALGID_BLOWFISH, tz::str(QStringLiteral("pw")), 1, _csp));
        QVERIFY(CSSM_Key::CSSM_KeyOfType(CSSM_ALGID_AES, tz::Id(), 128, _csp));
    }

    // NIST SP 800-38A, F.2: CBC-AES with IV 000102...0F. The layer's IV is zero, so the first
    // plain block is given already XORed with that IV; the chain then runs as published.
    void aesCbcVectors_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("cipher");
        QTest::newRow("AES-128") << QByteArray::fromHex("2b7e151628aed2a6abf7158809cf4f3c")
                                 << QByteArray::fromHex(
                                        "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
                                        "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7");
        QTest::newRow("AES-192") << QByteArray::fromHex("8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b")
                                 << QByteArray::fromHex(
                                        "4f021db243bc633d7178183a9fa071e8b4d9ada9ad7dedf4e5e738763f69145a"
                                        "571b242012fb7ae07fa9baac3df102e008b0e27988598881d920a9e64f5615cd");
        QTest::newRow("AES-256") << QByteArray::fromHex(
            "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4")
                                 << QByteArray::fromHex(
                                        "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
                                        "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b");
    }
    void aesCbcVectors()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, cipher);
        QByteArray plain = QByteArray::fromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                                               "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
        for (int i = 0; i < 16; ++i)
            plain[i] = char(plain[i] ^ i);
        const RawKey raw(CSSM_ALGID_AES, key);
        QByteArray encrypted;
        QCOMPARE(run(true, &raw.key, plain, &encrypted), CSSM_OK);
        QCOMPARE(encrypted.size(), 80); // a whole block of PKCS #7 padding follows
        QCOMPARE(encrypted.first(64).toHex(), cipher.toHex());
        QByteArray decrypted;
        QCOMPARE(run(false, &raw.key, encrypted, &decrypted), CSSM_OK);
        QCOMPARE(decrypted, plain);
    }

    void aesLengths()
    {
        const RawKey raw(CSSM_ALGID_AES, QByteArray(16, 'k'));
        for (const auto& [plain, cipher] :
             {std::pair{0, 16}, std::pair{15, 16}, std::pair{16, 32}, std::pair{17, 32}}) {
            QByteArray out;
            QCOMPARE(run(true, &raw.key, QByteArray(plain, 'p'), &out), CSSM_OK);
            QCOMPARE(out.size(), cipher);
        }
    }

    // Every cipher of the table, through a derived key, there and back.
    void ciphers_data()
    {
        QTest::addColumn<quint32>("algorithm");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("blockSize"); // 0: stream cipher
        QTest::newRow("AES-192") << quint32(CSSM_ALGID_AES) << 192 << 16;
        QTest::newRow("DES") << quint32(CSSM_ALGID_DES) << 64 << 8;
        QTest::newRow("3DES") << quint32(CSSM_ALGID_3DES_3KEY_EDE) << 192 << 8;
        QTest::newRow("RC2-40") << quint32(CSSM_ALGID_RC2) << 40 << 8;
        QTest::newRow("RC2-128") << quint32(CSSM_ALGID_RC2) << 128 << 8;
        QTest::newRow("RC4-64") << quint32(CSSM_ALGID_RC4) << 64 << 0;
        QTest::newRow("RC4-512") << quint32(CSSM_ALGID_RC4) << 512 << 0;
    }
    void ciphers()
    {
        QFETCH(quint32, algorithm);
        QFETCH(int, bits);
        QFETCH(int, blockSize);
        CSSM_KEY key;
        QCOMPARE(cdsaDeriveKey(_csp, "secret", 6, algorithm, std::uint32_t(bits), &key), CSSM_OK);
        const QByteArray plain("twenty-one characters");
        QByteArray cipher, back;
        QCOMPARE(run(true, &key, plain, &cipher), CSSM_OK);
        QCOMPARE(cipher.size(), blockSize ? (plain.size() / blockSize + 1) * blockSize : plain.size());
        QVERIFY(cipher != plain);
        QCOMPARE(run(false, &key, cipher, &back), CSSM_OK);
        QCOMPARE(back, plain);
        QCOMPARE(cdsaFreeKey(_csp, &key), CSSM_OK);
    }

    void unavailableAndUnknownCiphers()
    {
        QByteArray out;
        const RawKey blowfish(CSSM_ALGID_BLOWFISH, QByteArray(32, 'k'));
        QCOMPARE(run(true, &blowfish.key, QByteArray("x"), &out), CSSMERR_CSP_INTERNAL_ERROR);
        const RawKey rc5(CSSM_ALGID_RC5, QByteArray(8, 'k'));
        QCOMPARE(run(true, &rc5.key, QByteArray("x"), &out), CSSMERR_CSP_INVALID_ALGORITHM);
        const RawKey asc(CSSM_ALGID_ASC, QByteArray(32, 'k'));
        QCOMPARE(run(true, &asc.key, QByteArray("x"), &out), CSSMERR_CSP_INVALID_ALGORITHM);
        const RawKey oddAes(CSSM_ALGID_AES, QByteArray(20, 'k'));
        QCOMPARE(run(true, &oddAes.key, QByteArray("x"), &out), CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH);
        QVERIFY(!CSSMErrorMessage(CSSMERR_CSP_INTERNAL_ERROR).isEmpty());
        QVERIFY(CSSMErrorMessage(0x12345678).contains(QStringLiteral("12345678")));
    }

    void wrongKeyIsAPaddingFailure()
    {
        const RawKey right(CSSM_ALGID_AES, QByteArray(16, 'a'));
        const RawKey wrong(CSSM_ALGID_AES, QByteArray(16, 'b'));
        QByteArray cipher, out;
        QCOMPARE(run(true, &right.key, QByteArray("attack at dawn"), &cipher), CSSM_OK);
        QCOMPARE(run(false, &wrong.key, cipher, &out), CSSMERR_CSP_INVALID_DATA);
        QCOMPARE(run(false, &right.key, cipher.first(15), &out), CSSMERR_CSP_INVALID_DATA);
    }

    void stagedMatchesOneShot()
    {
        const RawKey raw(CSSM_ALGID_AES, QByteArray(32, 'z'));
        const QByteArray plain(1000, 'm');
        QByteArray oneShot;
        QCOMPARE(run(true, &raw.key, plain, &oneShot), CSSM_OK);

        CSSM_CC_HANDLE cc = 0;
        QCOMPARE(cdsaStagedEncDecrInit(_csp, &raw.key, CDSA_ENCRYPT, &cc), CSSM_OK);
        QByteArray staged;
        for (qsizetype at = 0; at < plain.size(); at += 333) {
            const QByteArray piece = plain.mid(at, 333);
            const CSSM_DATA in = viewOf(piece);
            CSSM_DATA out{0, nullptr};
            QCOMPARE(cdsaStagedEncrypt(cc, at + 333 >= plain.size(), &in, &out), CSSM_OK);
            staged += bytesOf(out);
            std::free(out.Data);
        }
        QCOMPARE(staged, oneShot);
        CSSM_DATA out{0, nullptr};
        QCOMPARE(cdsaStagedEncrypt(cc, true, nullptr, &out), CSSMERR_CSP_INVALID_CONTEXT_HANDLE); // ended

        QCOMPARE(cdsaStagedEncDecrInit(_csp, &raw.key, CDSA_DECRYPT, &cc), CSSM_OK);
        const CSSM_DATA in = viewOf(oneShot);
        QCOMPARE(cdsaStagedDecrypt(cc, true, &in, &out), CSSM_OK);
        QCOMPARE(bytesOf(out), plain);
        std::free(out.Data);

        CSSM_CC_HANDLE unused = 0;
        QCOMPARE(cdsaStagedEncDecrInit(_csp, &raw.key, 7, &unused), CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED);
    }

    void stagedDigest()
    {
        CSSM_CC_HANDLE cc = 0;
        QCOMPARE(cdsaStagedDigestInit(_csp, CSSM_ALGID_SHA1, &cc), CSSM_OK);
        const QByteArray a("a"), bc("bc");
        const CSSM_DATA first = viewOf(a), second = viewOf(bc);
        CSSM_DATA digest{0, nullptr};
        QCOMPARE(cdsaStagedDigest(cc, false, &first, nullptr), CSSM_OK);
        QCOMPARE(cdsaStagedDigest(cc, true, &second, &digest), CSSM_OK);
        QCOMPARE(bytesOf(digest).toHex(), QByteArray("a9993e364706816aba3e25717850c26c9cd0d89d"));
        std::free(digest.Data);
        QCOMPARE(cdsaStagedDigestInit(_csp, CSSM_ALGID_AES, &cc), CSSMERR_CSP_INVALID_ALGORITHM);
    }

    void rsaEncryptionAndSignatures()
    {
        CSSM_KEY pub, priv;
        QCOMPARE(cdsaGenerateKeyPair(_csp, CSSM_ALGID_RSA, 1024, &pub, &priv), CSSM_OK);
        QCOMPARE(pub.KeyHeader.LogicalKeySizeInBits, 1024u);
        QByteArray cipher, back;
        QCOMPARE(run(true, &pub, QByteArray("short secret"), &cipher), CSSM_OK);
        QCOMPARE(cipher.size(), 128);
        QCOMPARE(run(false, &priv, cipher, &back), CSSM_OK);
        QCOMPARE(back, QByteArray("short secret"));

        const QByteArray message("signed words");
        const CSSM_DATA text = viewOf(message);
        CSSM_DATA signature{0, nullptr};
        QCOMPARE(cdsaSign(_csp, &priv, CSSM_ALGID_SHA1WithRSA, &text, &signature), CSSM_OK);
        QCOMPARE(cdsaVerify(_csp, &pub, CSSM_ALGID_SHA1WithRSA, &text, &signature), CSSM_OK);
        signature.Data[0] ^= 1;
        QCOMPARE(cdsaVerify(_csp, &pub, CSSM_ALGID_SHA1WithRSA, &text, &signature), CSSMERR_CSP_VERIFY_FAILED);
        std::free(signature.Data);
        cdsaFreeKey(_csp, &pub);
        cdsaFreeKey(_csp, &priv);
    }

    void dsaStagedSignatures()
    {
        CSSM_KEY pub, priv;
        QCOMPARE(cdsaGenerateKeyPair(_csp, CSSM_ALGID_DSA, 1024, &pub, &priv), CSSM_OK);
        const QByteArray one("first half, "), two("second half");
        const CSSM_DATA a = viewOf(one), b = viewOf(two);
        CSSM_CC_HANDLE cc = 0;
        QCOMPARE(cdsaStagedSignVerifyInit(_csp, &priv, CSSM_ALGID_SHA1WithDSA, CDSA_SIGN, &cc), CSSM_OK);
        CSSM_DATA signature{0, nullptr};
        QCOMPARE(cdsaStagedSign(cc, &a, nullptr), CSSM_OK);
        QCOMPARE(cdsaStagedSign(cc, &b, &signature), CSSM_OK);

        const QByteArray whole = one + two;
        const CSSM_DATA all = viewOf(whole);
        QCOMPARE(cdsaVerify(_csp, &pub, CSSM_ALGID_SHA1WithDSA, &all, &signature), CSSM_OK);
        QCOMPARE(cdsaStagedSignVerifyInit(_csp, &pub, CSSM_ALGID_SHA1WithDSA, CDSA_VERIFY, &cc), CSSM_OK);
        QCOMPARE(cdsaStagedVerify(cc, &b, &signature), CSSMERR_CSP_VERIFY_FAILED);
        QCOMPARE(cdsaStagedSignVerifyInit(_csp, &pub, CSSM_ALGID_SHA1WithDSA, 9, &cc),
                 CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED);
        std::free(signature.Data);
        cdsaFreeKey(_csp, &pub);
        cdsaFreeKey(_csp, &priv);
    }

    void diffieHellman()
    {
        CSSM_KEY pub1, priv1, pub2, priv2;
        CSSM_DATA params{0, nullptr};
        QCOMPARE(cdsaDhGenerateKeyPair(_csp, &pub1, &priv1, 512, nullptr, nullptr), CSSMERR_CSSM_INVALID_POINTER);
        QCOMPARE(cdsaDhGenerateKeyPair(_csp, &pub1, &priv1, 512, &params, &params), CSSMERR_CSSM_INVALID_POINTER);
        QCOMPARE(cdsaDhGenerateKeyPair(_csp, &pub1, &priv1, 512, nullptr, &params), CSSM_OK);
        QCOMPARE(cdsaDhGenerateKeyPair(_csp, &pub2, &priv2, 512, &params, nullptr), CSSM_OK);
        CSSM_KEY shared1, shared2;
        QCOMPARE(cdsaDhKeyExchange(_csp, &priv1, pub2.KeyData.Data, pub2.KeyData.Length, &shared1, 128, CSSM_ALGID_AES),
                 CSSM_OK);
        QCOMPARE(cdsaDhKeyExchange(_csp, &priv2, pub1.KeyData.Data, pub1.KeyData.Length, &shared2, 128, CSSM_ALGID_AES),
                 CSSM_OK);
        QCOMPARE(shared1.KeyData.Length, 16u);
        QCOMPARE(bytesOf(shared1.KeyData), bytesOf(shared2.KeyData));
        std::free(params.Data);
        for (CSSM_KEY* key : {&pub1, &priv1, &pub2, &priv2, &shared1, &shared2})
            QCOMPARE(cdsaFreeKey(_csp, key), CSSM_OK);
    }
};

QTEST_APPLESS_MAIN(tst_cdsa)
#include "tst_cdsa.moc"
