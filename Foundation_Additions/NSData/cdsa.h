// The library's thin layer over the cryptographic service (OpenSSL 3 underneath): digests,
// symmetric and RSA encryption, PBKDF2-HMAC-SHA1 key derivation, key pairs, signatures and
// Diffie-Hellman. Every function returns a status (0 success) and logs nothing. Buffers handed
// back (digests, cipher and plain text, key bytes) come from the C heap: release them with free()
// or adopt them in a CssmBuffer.
#pragma once

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <memory>

using CSSM_RETURN = std::uint32_t;
using CSSM_CSP_HANDLE = std::uint32_t;
using CSSM_CC_HANDLE = std::uint64_t;
using CSSM_ALGORITHMS = std::uint32_t;

struct CSSM_DATA
{
    std::uint32_t Length;
    std::uint8_t* Data;
};

// Only AlgorithmId and LogicalKeySizeInBits are read by the library; KeyClass tells the
// layer how KeyData is encoded (session: raw bytes; public: DER SubjectPublicKeyInfo;
// private: DER PKCS #8).
struct CSSM_KEYHEADER
{
    CSSM_ALGORITHMS AlgorithmId;
    std::uint32_t LogicalKeySizeInBits;
    std::uint32_t KeyClass;
    std::uint32_t KeyUsage;
    std::uint32_t KeyAttr;
};

struct CSSM_KEY
{
    CSSM_KEYHEADER KeyHeader;
    CSSM_DATA KeyData;
};

enum : CSSM_ALGORITHMS {
    CSSM_ALGID_NONE = 0,
    CSSM_ALGID_DH = 2,
    CSSM_ALGID_MD5 = 7,
    CSSM_ALGID_SHA1 = 8,
    CSSM_ALGID_DES = 14,
    CSSM_ALGID_3DES_3KEY_EDE = 17,
    CSSM_ALGID_RC2 = 23,
    CSSM_ALGID_RC5 = 24,
    CSSM_ALGID_RC4 = 25,
    CSSM_ALGID_BLOWFISH = 28,
    CSSM_ALGID_RSA = 42,
    CSSM_ALGID_DSA = 43,
    CSSM_ALGID_SHA1WithRSA = 49,
    CSSM_ALGID_SHA1WithDSA = 50,
    CSSM_ALGID_PKCS5_PBKDF2 = 103,
    CSSM_ALGID_AES = 0x80000001,
    CSSM_ALGID_ASC = 0x80000007,
    // This layer's own value (no fixed value exists for it here): SHA-256, 32 bytes.
    CSSM_ALGID_SHA256 = 0x80000100,
};

enum : std::uint32_t {
    CSSM_KEYCLASS_PUBLIC_KEY = 0,
    CSSM_KEYCLASS_PRIVATE_KEY = 1,
    CSSM_KEYCLASS_SESSION_KEY = 2,
};

// Operation codes of the staged functions.
enum : std::uint32_t {
    CDSA_ENCRYPT = 0,
    CDSA_DECRYPT = 1,
    CDSA_SIGN = 2,
    CDSA_VERIFY = 3,
};

// Status codes. The first three have fixed meanings; the others are this layer's choice.
enum : CSSM_RETURN {
    CSSM_OK = 0,
    CSSMERR_CSSM_INVALID_POINTER = 0x80010004,         // wrong pair of DH parameter arguments, missing argument
    CSSMERR_CSP_INTERNAL_ERROR = 0x80010801,           // key algorithm with no cipher context
    CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED = 0x80010807, // unknown staged operation code
    CSSMERR_CSP_MEMORY_ERROR = 0x80010802,             // the C heap refused an allocation
    CSSMERR_CSP_FUNCTION_FAILED = 0x8001080A,          // OpenSSL failed for another reason
    CSSMERR_CSSM_INVALID_ADDIN_HANDLE = 0x80010101,    // CSP handle not attached
    CSSMERR_CSP_INVALID_CONTEXT_HANDLE = 0x80010880,   // context handle unknown or of another kind
    CSSMERR_CSP_INVALID_ALGORITHM = 0x80010881,        // algorithm unknown or not in the installed OpenSSL
    CSSMERR_CSP_INVALID_KEY = 0x80010882,              // key record unusable for the operation
    CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH = 0x80010883,  // key length the algorithm does not take
    CSSMERR_CSP_INVALID_DATA = 0x80010884,             // bad padding or malformed input (wrong key, as a rule)
    CSSMERR_CSP_VERIFY_FAILED = 0x80010885,            // the signature does not match
    CSSMERR_CSP_INPUT_LENGTH_ERROR = 0x80010886,       // input longer than 4 GiB - 1
};

// Key sizes in bits per algorithm, and the size selector: -1, 0, 1 pick the smallest,
// middle or largest size of the algorithm's row; other values (and any value for an
// algorithm without a row) are lengths in bits.
//   DES 64 64 64, 3DES 192 192 192, RC5 8 64 255, RC2 8 40 128, AES 128 192 256,
//   ASC 8 256 512, RC4 8 64 512
struct CdsaKeySizes
{
    CSSM_ALGORITHMS algorithm;
    std::int32_t smallest, middle, largest;
};
extern const CdsaKeySizes sizes[7];
[[nodiscard]] std::int32_t cdsaResolveKeySize(CSSM_ALGORITHMS algorithm, std::int32_t length);

// Starts the service once per process (loads OpenSSL's default and legacy providers);
// safe for concurrent first calls. 0 when started.
CSSM_RETURN cssmStartup();
// One attachment per operation; every successful attach is matched by one detach.
CSSM_RETURN cdsaCspAttach(CSSM_CSP_HANDLE* cspHandle);
CSSM_RETURN cdsaCspDetach(CSSM_CSP_HANDLE cspHandle);

// PBKDF2-HMAC-SHA1, 1000 iterations, salt "sandGrit"; the raw key (bits / 8 bytes) in KeyData.
CSSM_RETURN cdsaDeriveKey(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen, CSSM_ALGORITHMS keyAlg,
                          std::uint32_t keySizeInBits, CSSM_KEY* key);
// The same with salt "r9#=2Q\nm" and max(iterationCount, 1000) iterations; logs when the
// derivation cannot be set up (in TzNSDataEncrypt.cpp).
CSSM_RETURN cdsaDeriveKeySlowly(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen,
                                CSSM_ALGORITHMS keyAlg, std::uint32_t keySizeInBits, CSSM_KEY* key,
                                std::uint32_t iterationCount);
// The shared derivation: PBKDF2-HMAC-SHA1 with the given salt and iterations.
CSSM_RETURN cdsaDeriveKeyWithSalt(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen,
                                  CSSM_ALGORITHMS keyAlg, std::uint32_t keySizeInBits, CSSM_KEY* key,
                                  const unsigned char* salt, std::size_t saltLength, std::uint32_t iterations);
// Whether a derivation of that size can be set up in the attachment: 0, or the reason.
CSSM_RETURN cdsaCheckDerivation(CSSM_CSP_HANDLE cspHandle, std::uint32_t keySizeInBits);
// Releases KeyData and clears the record.
CSSM_RETURN cdsaFreeKey(CSSM_CSP_HANDLE cspHandle, CSSM_KEY* key);

// RSA or DSA key pair of keySizeInBits.
CSSM_RETURN cdsaGenerateKeyPair(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS algorithm, std::uint32_t keySizeInBits,
                                CSSM_KEY* publicKey, CSSM_KEY* privateKey);
// Exactly one of inParams (DER DH parameters to use) and outParams (filled with new DER
// parameters of keySizeInBits) must be given, else CSSMERR_CSSM_INVALID_POINTER.
CSSM_RETURN cdsaDhGenerateKeyPair(CSSM_CSP_HANDLE cspHandle, CSSM_KEY* publicKey, CSSM_KEY* privateKey,
                                  std::uint32_t keySizeInBits, const CSSM_DATA* inParams, CSSM_DATA* outParams);
// The shared secret with the peer's DER public key, its first derivedKeySizeInBits / 8 bytes
// as a session key of derivedKeyAlg.
CSSM_RETURN cdsaDhKeyExchange(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* myPrivateKey, const void* publicKey,
                              std::uint32_t publicKeyLen, CSSM_KEY* derivedKey, std::uint32_t derivedKeySizeInBits,
                              CSSM_ALGORITHMS derivedKeyAlg);

// Digests: MD5, SHA1 or SHA256.
CSSM_RETURN cdsaDigest(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS digestAlg, const CSSM_DATA* ptext,
                       CSSM_DATA* digestData);
CSSM_RETURN cdsaStagedDigestInit(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS digestAlg, CSSM_CC_HANDLE* ccHandle);
// Adds ptext (may be null or empty); when final, writes the digest and ends the context.
CSSM_RETURN cdsaStagedDigest(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* ptext, CSSM_DATA* digestData);

// Signatures: SHA1WithRSA (PKCS #1 v1.5) or SHA1WithDSA.
CSSM_RETURN cdsaSign(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg, const CSSM_DATA* ptext,
                     CSSM_DATA* signature);
CSSM_RETURN cdsaVerify(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg, const CSSM_DATA* ptext,
                       const CSSM_DATA* signature);
CSSM_RETURN cdsaStagedSignVerifyInit(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg,
                                     std::uint32_t operation, CSSM_CC_HANDLE* ccHandle);
// With a signature record the signature is written and the context ends.
CSSM_RETURN cdsaStagedSign(CSSM_CC_HANDLE ccHandle, const CSSM_DATA* ptext, CSSM_DATA* signature);
// With a signature the result is checked and the context ends.
CSSM_RETURN cdsaStagedVerify(CSSM_CC_HANDLE ccHandle, const CSSM_DATA* ptext, const CSSM_DATA* signature);

// Cipher by the key's algorithm: AES CBC PKCS #7; DES, 3DES, RC2, RC5 CBC PKCS #5; RC4, ASC
// stream; RSA PKCS #1 v1.5; always with a zero IV. Other algorithms: CSSMERR_CSP_INTERNAL_ERROR;
// ciphers the installed OpenSSL lacks (RC5, ASC): CSSMERR_CSP_INVALID_ALGORITHM.
CSSM_RETURN cdsaEncrypt(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, const CSSM_DATA* plainText,
                        CSSM_DATA* cipherText);
CSSM_RETURN cdsaDecrypt(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, const CSSM_DATA* cipherText,
                        CSSM_DATA* plainText);
CSSM_RETURN cdsaStagedEncDecrInit(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, std::uint32_t operation,
                                  CSSM_CC_HANDLE* ccHandle);
// out receives this step's output; when final the remainder is appended and the context ends.
CSSM_RETURN cdsaStagedEncrypt(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* plainText, CSSM_DATA* cipherText);
CSSM_RETURN cdsaStagedDecrypt(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* cipherText, CSSM_DATA* plainText);

// A readable text for a status ("No error." for 0).
[[nodiscard]] QString CSSMErrorMessage(CSSM_RETURN status);

// Owns one buffer the layer handed back.
struct CssmFree
{
    void operator()(std::uint8_t* p) const { std::free(p); }
};
using CssmBuffer = std::unique_ptr<std::uint8_t, CssmFree>;
