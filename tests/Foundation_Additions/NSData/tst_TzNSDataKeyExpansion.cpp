#include "Foundation_Additions/NSData/TzNSDataKeyExpansion.h"

#include "Foundation/Data.h"
#include "Foundation_Additions/NSData/TzNSDataEncrypt.h"

#include <QTest>

#include <openssl/evp.h>

using namespace tz;

namespace {

// The slow derivation computed directly with OpenSSL.
QByteArray referenceKey(const QByteArray& password, int bytes, int iterations)
{
    QByteArray key(bytes, '\0');
    const unsigned char salt[] = {'r', '9', '#', '=', '2', 'Q', '\n', 'm'};
    PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()), salt, sizeof salt, iterations, EVP_sha1(), bytes,
                      reinterpret_cast<unsigned char*>(key.data()));
    return key;
}

} // namespace

class tst_TzNSDataKeyExpansion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slowKeys()
    {
        const QByteArray key256 = expandedAES256KeyFromString(QStringLiteral("pass phrase"));
        const QByteArray key128 = expandedAES128KeyFromString(QStringLiteral("pass phrase"));
        QCOMPARE(key256, referenceKey("pass phrase", 32, 34567));
        QCOMPARE(key128, key256.first(16));
        QVERIFY(expandedAESKeyOfLengthFromString(128, QString()).isNull());
        // Composed and decomposed forms of the same text give the same key.
        QCOMPARE(expandedAESKeyOfLengthFromString(128, QStringLiteral("\u00e9t\u00e9")),
                 expandedAESKeyOfLengthFromString(128, QStringLiteral("e\u0301te\u0301")));
    }

    void selectorLengths()
    {
        QCOMPARE(expandedAESKeyOfLength("pw", -1).size(), 16);
        QCOMPARE(expandedAESKeyOfLength("pw", 0).size(), 24);
        QCOMPARE(expandedAESKeyOfLength("pw", 1).size(), 32);
        QCOMPARE(slowlyExpandedKeyOfType("pw", CSSM_ALGID_RC2, 0).size(), 5);
    }

    void iterationFloor()
    {
        CSSM_CSP_HANDLE csp = 0;
        QCOMPARE(cdsaCspAttach(&csp), CSSM_OK);
        for (const auto& [asked, used] : {std::pair{1u, 1000}, std::pair{1000u, 1000}, std::pair{1001u, 1001}}) {
            CSSM_KEY key;
            QCOMPARE(cdsaDeriveKeySlowly(csp, "pw", 2, CSSM_ALGID_AES, 128, &key, asked), CSSM_OK);
            QCOMPARE(QByteArray(reinterpret_cast<char*>(key.KeyData.Data), 16), referenceKey("pw", 16, used));
            cdsaFreeKey(csp, &key);
        }
        CSSM_KEY key;
        QCOMPARE(cdsaDeriveKeySlowly(csp, "pw", 2, CSSM_ALGID_AES, 0, &key, 1000), CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH);
        QVERIFY(!key.KeyData.Data);
        QCOMPARE(cdsaCspDetach(csp), CSSM_OK);
    }

    void keyChain()
    {
        QVERIFY(expandToKeys("pw", 0).isEmpty());
        const QByteArray password("abcde");
        const QList<QByteArray> keys = expandToKeys(password, 3);
        QCOMPARE(keys.size(), 3);
        QCOMPARE(keys[0], AES256EncryptedDataWithKey(password, Data::make(password)));
        QCOMPARE(keys[1], AES256EncryptedDataWithKey(password, Data::make(keys[0])));
        QCOMPARE(keys[2], AES256EncryptedDataWithKey(keys[0], Data::make(keys[1])));
        QCOMPARE(expandToKeys(password, 1), keys.first(1));
        QCOMPARE((QList<qsizetype>{keys[0].size(), keys[1].size(), keys[2].size()}), (QList<qsizetype>{16, 16, 32}));
        const QList<QByteArray> longer = expandToKeys(QByteArray(16, 'p'), 3);
        QCOMPARE((QList<qsizetype>{longer[0].size(), longer[1].size(), longer[2].size()}),
                 (QList<qsizetype>{32, 32, 48}));
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataKeyExpansion)
#include "tst_TzNSDataKeyExpansion.moc"
