#include "Foundation_Additions/NSData/cdsa.h"

#include <openssl/crypto.h>
#include <openssl/dh.h>
#include <openssl/evp.h>
#include <openssl/provider.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>
#include <set>
#include <unordered_map>
#include <vector>

const CdsaKeySizes sizes[7] = {
    {CSSM_ALGID_DES, 64, 64, 64}, {CSSM_ALGID_3DES_3KEY_EDE, 192, 192, 192}, {CSSM_ALGID_RC5, 8, 64, 255},
    {CSSM_ALGID_RC2, 8, 40, 128}, {CSSM_ALGID_AES, 128, 192, 256},           {CSSM_ALGID_ASC, 8, 256, 512},
    {CSSM_ALGID_RC4, 8, 64, 512},
};

std::int32_t cdsaResolveKeySize(CSSM_ALGORITHMS algorithm, std::int32_t length)
{
    if (length < -1 || length > 1)
        return length;
    for (const CdsaKeySizes& row : sizes) {
        if (row.algorithm == algorithm)
            return length < 0 ? row.smallest : length == 0 ? row.middle : row.largest;
    }
    return length;
}

namespace {

struct EvpFree
{
    void operator()(EVP_CIPHER_CTX* p) const { EVP_CIPHER_CTX_free(p); }
    void operator()(EVP_CIPHER* p) const { EVP_CIPHER_free(p); }
    void operator()(EVP_MD_CTX* p) const { EVP_MD_CTX_free(p); }
    void operator()(EVP_MD* p) const { EVP_MD_free(p); }
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
    void operator()(EVP_PKEY_CTX* p) const { EVP_PKEY_CTX_free(p); }
    void operator()(PKCS8_PRIV_KEY_INFO* p) const { PKCS8_PRIV_KEY_INFO_free(p); }
};
template <typename T>
using Evp = std::unique_ptr<T, EvpFree>;

const unsigned char ivCommon[16] = {};
const unsigned char fastSalt[8] = {'s', 'a', 'n', 'd', 'G', 'r', 'i', 't'};
constexpr std::uint32_t fastIterations = 1000;

std::atomic<bool> cssmInitd{false};

// Loaded once and never unloaded (OpenSSL tears its providers down at exit); held here so
// that they stay reachable.
OSSL_PROVIDER* legacyProvider = nullptr;
OSSL_PROVIDER* defaultProvider = nullptr;
std::once_flag startupOnce;

// Attachments and staged contexts live in tables guarded by one lock.
struct Context
{
    enum class Kind { Digest, Cipher, Rsa, Sign, Verify } kind;
    CSSM_CSP_HANDLE csp = 0;
    bool encrypt = false;
    Evp<EVP_MD_CTX> md;
    Evp<EVP_CIPHER_CTX> cipher;
    Evp<EVP_PKEY> rsaKey;
    std::vector<unsigned char> pending; // RSA input, processed at the final step
};

std::mutex tableLock;
std::set<CSSM_CSP_HANDLE> attachments;
CSSM_CSP_HANDLE nextCsp = 1;
std::unordered_map<CSSM_CC_HANDLE, std::unique_ptr<Context>> contexts;
CSSM_CC_HANDLE nextContext = 1;

bool isAttached(CSSM_CSP_HANDLE csp)
{
    const std::lock_guard lock(tableLock);
    return attachments.count(csp) != 0;
}

CSSM_CC_HANDLE registerContext(std::unique_ptr<Context> context)
{
    const std::lock_guard lock(tableLock);
    const CSSM_CC_HANDLE handle = nextContext++;
    contexts.emplace(handle, std::move(context));
    return handle;
}

Context* findContext(CSSM_CC_HANDLE handle, std::initializer_list<Context::Kind> kinds)
{
    const std::lock_guard lock(tableLock);
    const auto it = contexts.find(handle);
    if (it == contexts.end())
        return nullptr;
    for (const Context::Kind kind : kinds) {
        if (it->second->kind == kind)
            return it->second.get();
    }
    return nullptr;
}

void deleteContext(CSSM_CC_HANDLE handle)
{
    std::unique_ptr<Context> doomed;
    const std::lock_guard lock(tableLock);
    const auto it = contexts.find(handle);
    if (it != contexts.end()) {
        doomed = std::move(it->second);
        contexts.erase(it);
    }
}

void clear(CSSM_DATA* data)
{
    if (data)
        *data = {0, nullptr};
}

// A heap buffer of at least one byte, so a zero-length result still has an address to free.
std::uint8_t* allocate(std::size_t n)
{
    return static_cast<std::uint8_t*>(std::malloc(n ? n : 1));
}

CSSM_RETURN give(CSSM_DATA* out, const unsigned char* bytes, std::size_t n)
{
    if (n > UINT32_MAX)
        return CSSMERR_CSP_INPUT_LENGTH_ERROR;
    std::uint8_t* buffer = allocate(n);
    if (!buffer)
        return CSSMERR_CSP_MEMORY_ERROR;
    if (n)
        std::memcpy(buffer, bytes, n);
    *out = {static_cast<std::uint32_t>(n), buffer};
    return CSSM_OK;
}

// Appends n bytes behind out's bytes, growing its buffer with realloc.
CSSM_RETURN append(CSSM_DATA* out, const unsigned char* bytes, std::size_t n)
{
    if (!n)
        return CSSM_OK;
    const std::size_t total = std::size_t(out->Length) + n;
    if (total > UINT32_MAX)
        return CSSMERR_CSP_INPUT_LENGTH_ERROR;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(out->Data, total));
    if (!grown)
        return CSSMERR_CSP_MEMORY_ERROR;
    std::memcpy(grown + out->Length, bytes, n);
    *out = {static_cast<std::uint32_t>(total), grown};
    return CSSM_OK;
}

const char* digestName(CSSM_ALGORITHMS algorithm)
{
    switch (algorithm) {
    case CSSM_ALGID_MD5: return "MD5";
    case CSSM_ALGID_SHA1: return "SHA1";
    case CSSM_ALGID_SHA256: return "SHA256";
    default: return nullptr;
    }
}

CSSM_RETURN fetchDigest(CSSM_ALGORITHMS algorithm, Evp<EVP_MD>& md)
{
    const char* name = digestName(algorithm);
    if (!name)
        return CSSMERR_CSP_INVALID_ALGORITHM;
    md.reset(EVP_MD_fetch(nullptr, name, nullptr));
    return md ? CSSM_OK : CSSMERR_CSP_INVALID_ALGORITHM;
}

// Asymmetric keys travel as DER: SubjectPublicKeyInfo for public keys, PKCS #8 for private ones.
Evp<EVP_PKEY> pkeyFromRecord(const CSSM_KEY* key)
{
    if (!key || !key->KeyData.Data)
        return {};
    const unsigned char* p = key->KeyData.Data;
    const long length = static_cast<long>(key->KeyData.Length);
    if (key->KeyHeader.KeyClass == CSSM_KEYCLASS_PUBLIC_KEY)
        return Evp<EVP_PKEY>(d2i_PUBKEY(nullptr, &p, length));
    if (key->KeyHeader.KeyClass == CSSM_KEYCLASS_PRIVATE_KEY)
        return Evp<EVP_PKEY>(d2i_AutoPrivateKey(nullptr, &p, length));
    return {};
}

CSSM_RETURN recordFromPkey(EVP_PKEY* pkey, bool isPrivate, CSSM_ALGORITHMS algorithm, std::uint32_t usage,
                           CSSM_KEY* key)
{
    unsigned char* der = nullptr;
    int length = -1;
    if (isPrivate) {
        const Evp<PKCS8_PRIV_KEY_INFO> info(EVP_PKEY2PKCS8(pkey));
        if (info)
            length = i2d_PKCS8_PRIV_KEY_INFO(info.get(), &der);
    } else {
        length = i2d_PUBKEY(pkey, &der);
    }
    if (length <= 0)
        return CSSMERR_CSP_FUNCTION_FAILED;
    const CSSM_RETURN status = give(&key->KeyData, der, static_cast<std::size_t>(length));
    OPENSSL_free(der);
    if (status != CSSM_OK)
        return status;
    key->KeyHeader = {algorithm, static_cast<std::uint32_t>(EVP_PKEY_get_bits(pkey)),
                      isPrivate ? CSSM_KEYCLASS_PRIVATE_KEY : CSSM_KEYCLASS_PUBLIC_KEY, usage, 0x10000020};
    return CSSM_OK;
}

CSSM_RETURN derive(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen, CSSM_ALGORITHMS keyAlg,
                   std::uint32_t keySizeInBits, CSSM_KEY* key, const unsigned char* salt, std::size_t saltLength,
                   std::uint32_t iterations)
{
    if (!key || (!rawKey && rawKeyLen))
        return CSSMERR_CSSM_INVALID_POINTER;
    std::memset(key, 0, sizeof *key);
    if (const CSSM_RETURN status = cdsaCheckDerivation(cspHandle, keySizeInBits); status != CSSM_OK)
        return status;
    if (rawKeyLen > INT_MAX || saltLength > INT_MAX || iterations == 0 || iterations > INT_MAX)
        return CSSMERR_CSP_INPUT_LENGTH_ERROR;
    const std::uint32_t bytes = keySizeInBits / 8;
    std::uint8_t* buffer = allocate(bytes);
    if (!buffer)
        return CSSMERR_CSP_MEMORY_ERROR;
    static const char empty = 0;
    const char* password = rawKeyLen ? static_cast<const char*>(rawKey) : &empty;
    if (PKCS5_PBKDF2_HMAC(password, static_cast<int>(rawKeyLen), salt, static_cast<int>(saltLength),
                          static_cast<int>(iterations), EVP_sha1(), static_cast<int>(bytes), buffer)
        != 1) {
        std::free(buffer);
        return CSSMERR_CSP_FUNCTION_FAILED;
    }
    key->KeyHeader = {keyAlg, keySizeInBits, CSSM_KEYCLASS_SESSION_KEY, 0x80000000, 0x10000020};
    key->KeyData = {bytes, buffer};
    return CSSM_OK;
}

const char* cipherName(CSSM_ALGORITHMS algorithm, std::uint32_t bits)
{
    switch (algorithm) {
    case CSSM_ALGID_AES:
        return bits == 128 ? "AES-128-CBC" : bits == 192 ? "AES-192-CBC" : bits == 256 ? "AES-256-CBC" : "";
    case CSSM_ALGID_DES: return "DES-CBC";
    case CSSM_ALGID_3DES_3KEY_EDE: return "DES-EDE3-CBC";
    case CSSM_ALGID_RC2: return "RC2-CBC";
    case CSSM_ALGID_RC5: return "RC5-CBC";
    case CSSM_ALGID_RC4: return "RC4";
    case CSSM_ALGID_ASC: return "ASC";
    default: return nullptr;
    }
}

// The cipher context for a key: the algorithm comes from the key record, never from the caller.
CSSM_RETURN genCryptHandle(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, bool encrypt,
                           std::unique_ptr<Context>& context)
{
    if (!key)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    context = std::make_unique<Context>();
    context->csp = cspHandle;
    context->encrypt = encrypt;

    const CSSM_ALGORITHMS algorithm = key->KeyHeader.AlgorithmId;
    if (algorithm == CSSM_ALGID_RSA) {
        context->kind = Context::Kind::Rsa;
        context->rsaKey = pkeyFromRecord(key);
        return context->rsaKey ? CSSM_OK : CSSMERR_CSP_INVALID_KEY;
    }
    const char* name = cipherName(algorithm, key->KeyData.Length * 8);
    if (!name)
        return CSSMERR_CSP_INTERNAL_ERROR;
    if (!*name)
        return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
    if (!key->KeyData.Data || key->KeyData.Length == 0)
        return CSSMERR_CSP_INVALID_KEY;
    const Evp<EVP_CIPHER> cipher(EVP_CIPHER_fetch(nullptr, name, nullptr));
    if (!cipher)
        return CSSMERR_CSP_INVALID_ALGORITHM;

    context->kind = Context::Kind::Cipher;
    context->cipher.reset(EVP_CIPHER_CTX_new());
    EVP_CIPHER_CTX* ctx = context->cipher.get();
    if (!ctx || EVP_CipherInit_ex2(ctx, cipher.get(), nullptr, nullptr, encrypt, nullptr) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    const int keyLength = static_cast<int>(key->KeyData.Length);
    // Fixed-length ciphers refuse another length here.
    if (EVP_CIPHER_CTX_get_key_length(ctx) != keyLength && EVP_CIPHER_CTX_set_key_length(ctx, keyLength) != 1)
        return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
    if (algorithm == CSSM_ALGID_RC2 && EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_SET_RC2_KEY_BITS, keyLength * 8, nullptr) != 1)
        return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
    if (EVP_CipherInit_ex2(ctx, nullptr, key->KeyData.Data, ivCommon, encrypt, nullptr) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    return CSSM_OK;
}

CSSM_RETURN rsaRun(Context& context, const unsigned char* in, std::size_t inLength, CSSM_DATA* out)
{
    const Evp<EVP_PKEY_CTX> ctx(EVP_PKEY_CTX_new_from_pkey(nullptr, context.rsaKey.get(), nullptr));
    if (!ctx)
        return CSSMERR_CSP_FUNCTION_FAILED;
    const bool ready = context.encrypt ? EVP_PKEY_encrypt_init(ctx.get()) == 1 : EVP_PKEY_decrypt_init(ctx.get()) == 1;
    if (!ready || EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) != 1)
        return CSSMERR_CSP_INVALID_KEY;
    const auto run = [&](unsigned char* dst, std::size_t* n) {
        return context.encrypt ? EVP_PKEY_encrypt(ctx.get(), dst, n, in, inLength)
                               : EVP_PKEY_decrypt(ctx.get(), dst, n, in, inLength);
    };
    std::size_t n = 0;
    if (run(nullptr, &n) != 1)
        return CSSMERR_CSP_INVALID_DATA;
    CssmBuffer buffer(allocate(n));
    if (!buffer)
        return CSSMERR_CSP_MEMORY_ERROR;
    if (run(buffer.get(), &n) != 1)
        return CSSMERR_CSP_INVALID_DATA;
    *out = {static_cast<std::uint32_t>(n), buffer.release()};
    return CSSM_OK;
}

CSSM_RETURN cipherUpdate(Context& context, const CSSM_DATA* in, CSSM_DATA* out)
{
    if (context.kind == Context::Kind::Rsa) {
        if (in && in->Length)
            context.pending.insert(context.pending.end(), in->Data, in->Data + in->Length);
        return give(out, nullptr, 0);
    }
    const std::size_t inLength = in ? in->Length : 0;
    const std::size_t room = inLength + EVP_MAX_BLOCK_LENGTH;
    if (room > INT_MAX)
        return CSSMERR_CSP_INPUT_LENGTH_ERROR;
    CssmBuffer buffer(allocate(room));
    if (!buffer)
        return CSSMERR_CSP_MEMORY_ERROR;
    int n = 0;
    if (inLength && EVP_CipherUpdate(context.cipher.get(), buffer.get(), &n, in->Data, static_cast<int>(inLength)) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    *out = {static_cast<std::uint32_t>(n), buffer.release()};
    return CSSM_OK;
}

// The remainder of the final step, appended to out.
CSSM_RETURN cipherFinal(Context& context, CSSM_DATA* out)
{
    if (context.kind == Context::Kind::Rsa) {
        CSSM_DATA result{0, nullptr};
        const CSSM_RETURN status = rsaRun(context, context.pending.data(), context.pending.size(), &result);
        if (status != CSSM_OK)
            return status;
        const CssmBuffer owner(result.Data);
        return append(out, result.Data, result.Length);
    }
    unsigned char remainder[EVP_MAX_BLOCK_LENGTH];
    int n = 0;
    if (EVP_CipherFinal_ex(context.cipher.get(), remainder, &n) != 1)
        return context.encrypt ? CSSMERR_CSP_FUNCTION_FAILED : CSSMERR_CSP_INVALID_DATA;
    return append(out, remainder, static_cast<std::size_t>(n));
}

CSSM_RETURN oneShot(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, bool encrypt, const CSSM_DATA* in, CSSM_DATA* out)
{
    if (!out)
        return CSSMERR_CSSM_INVALID_POINTER;
    clear(out);
    std::unique_ptr<Context> context;
    CSSM_RETURN status = genCryptHandle(cspHandle, key, encrypt, context);
    if (status != CSSM_OK)
        return status;
    CSSM_DATA result{0, nullptr};
    status = cipherUpdate(*context, in, &result);
    if (status == CSSM_OK)
        status = cipherFinal(*context, &result);
    if (status != CSSM_OK) {
        std::free(result.Data);
        return status;
    }
    *out = result;
    return CSSM_OK;
}

CSSM_RETURN stagedCipher(CSSM_CC_HANDLE ccHandle, bool final, bool encrypt, const CSSM_DATA* in, CSSM_DATA* out)
{
    if (!out)
        return CSSMERR_CSSM_INVALID_POINTER;
    clear(out);
    Context* context = findContext(ccHandle, {Context::Kind::Cipher, Context::Kind::Rsa});
    if (!context || context->encrypt != encrypt)
        return CSSMERR_CSP_INVALID_CONTEXT_HANDLE;
    CSSM_DATA result{0, nullptr};
    CSSM_RETURN status = cipherUpdate(*context, in, &result);
    if (status == CSSM_OK && final)
        status = cipherFinal(*context, &result);
    if (final)
        deleteContext(ccHandle);
    if (status != CSSM_OK) {
        std::free(result.Data);
        return status;
    }
    *out = result;
    return CSSM_OK;
}

CSSM_RETURN signatureDigest(CSSM_ALGORITHMS sigAlg, const char** name)
{
    switch (sigAlg) {
    case CSSM_ALGID_SHA1WithRSA:
    case CSSM_ALGID_SHA1WithDSA: *name = "SHA1"; return CSSM_OK;
    default: return CSSMERR_CSP_INVALID_ALGORITHM;
    }
}

CSSM_RETURN signatureContext(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg, bool sign,
                             std::unique_ptr<Context>& context)
{
    if (!key)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    const char* digest = nullptr;
    if (const CSSM_RETURN status = signatureDigest(sigAlg, &digest); status != CSSM_OK)
        return status;
    const Evp<EVP_PKEY> pkey = pkeyFromRecord(key);
    if (!pkey)
        return CSSMERR_CSP_INVALID_KEY;
    context = std::make_unique<Context>();
    context->kind = sign ? Context::Kind::Sign : Context::Kind::Verify;
    context->csp = cspHandle;
    context->md.reset(EVP_MD_CTX_new());
    if (!context->md)
        return CSSMERR_CSP_MEMORY_ERROR;
    const int ok = sign
        ? EVP_DigestSignInit_ex(context->md.get(), nullptr, digest, nullptr, nullptr, pkey.get(), nullptr)
        : EVP_DigestVerifyInit_ex(context->md.get(), nullptr, digest, nullptr, nullptr, pkey.get(), nullptr);
    return ok == 1 ? CSSM_OK : CSSMERR_CSP_INVALID_KEY;
}

CSSM_RETURN signUpdate(Context& context, const CSSM_DATA* ptext)
{
    if (!ptext || !ptext->Length)
        return CSSM_OK;
    const int ok = context.kind == Context::Kind::Sign
        ? EVP_DigestSignUpdate(context.md.get(), ptext->Data, ptext->Length)
        : EVP_DigestVerifyUpdate(context.md.get(), ptext->Data, ptext->Length);
    return ok == 1 ? CSSM_OK : CSSMERR_CSP_FUNCTION_FAILED;
}

CSSM_RETURN signFinal(Context& context, CSSM_DATA* signature)
{
    std::size_t n = 0;
    if (EVP_DigestSignFinal(context.md.get(), nullptr, &n) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    CssmBuffer buffer(allocate(n));
    if (!buffer)
        return CSSMERR_CSP_MEMORY_ERROR;
    if (EVP_DigestSignFinal(context.md.get(), buffer.get(), &n) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    *signature = {static_cast<std::uint32_t>(n), buffer.release()};
    return CSSM_OK;
}

CSSM_RETURN verifyFinal(Context& context, const CSSM_DATA* signature)
{
    return EVP_DigestVerifyFinal(context.md.get(), signature->Data, signature->Length) == 1 ? CSSM_OK
                                                                                            : CSSMERR_CSP_VERIFY_FAILED;
}

} // namespace

CSSM_RETURN cssmStartup()
{
    std::call_once(startupOnce, [] {
        // Providers stay loaded for the life of the process. Without the legacy one, DES,
        // RC2 and RC4 answer CSSMERR_CSP_INVALID_ALGORITHM; everything else still works.
        legacyProvider = OSSL_PROVIDER_load(nullptr, "legacy");
        defaultProvider = OSSL_PROVIDER_load(nullptr, "default");
        cssmInitd.store(defaultProvider != nullptr);
    });
    return cssmInitd.load() ? CSSM_OK : CSSMERR_CSP_FUNCTION_FAILED;
}

CSSM_RETURN cdsaCspAttach(CSSM_CSP_HANDLE* cspHandle)
{
    if (!cspHandle)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (const CSSM_RETURN status = cssmStartup(); status != CSSM_OK)
        return status;
    const std::lock_guard lock(tableLock);
    while (nextCsp == 0 || attachments.count(nextCsp))
        ++nextCsp;
    *cspHandle = nextCsp++;
    attachments.insert(*cspHandle);
    return CSSM_OK;
}

CSSM_RETURN cdsaCspDetach(CSSM_CSP_HANDLE cspHandle)
{
    const std::lock_guard lock(tableLock);
    return attachments.erase(cspHandle) ? CSSM_OK : CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
}

CSSM_RETURN cdsaDeriveKey(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen, CSSM_ALGORITHMS keyAlg,
                          std::uint32_t keySizeInBits, CSSM_KEY* key)
{
    return derive(cspHandle, rawKey, rawKeyLen, keyAlg, keySizeInBits, key, fastSalt, sizeof fastSalt, fastIterations);
}

CSSM_RETURN cdsaCheckDerivation(CSSM_CSP_HANDLE cspHandle, std::uint32_t keySizeInBits)
{
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    // Up to 4096 bits: far beyond every algorithm of the layer, and bounded for OpenSSL.
    return keySizeInBits / 8 == 0 || keySizeInBits > 4096 ? CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH : CSSM_OK;
}

CSSM_RETURN cdsaDeriveKeyWithSalt(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen,
                                  CSSM_ALGORITHMS keyAlg, std::uint32_t keySizeInBits, CSSM_KEY* key,
                                  const unsigned char* salt, std::size_t saltLength, std::uint32_t iterations)
{
    return derive(cspHandle, rawKey, rawKeyLen, keyAlg, keySizeInBits, key, salt, saltLength, iterations);
}

CSSM_RETURN cdsaFreeKey(CSSM_CSP_HANDLE cspHandle, CSSM_KEY* key)
{
    if (!key)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    if (key->KeyData.Data)
        OPENSSL_cleanse(key->KeyData.Data, key->KeyData.Length);
    std::free(key->KeyData.Data);
    std::memset(key, 0, sizeof *key);
    return CSSM_OK;
}

CSSM_RETURN cdsaGenerateKeyPair(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS algorithm, std::uint32_t keySizeInBits,
                                CSSM_KEY* publicKey, CSSM_KEY* privateKey)
{
    if (!publicKey || !privateKey)
        return CSSMERR_CSSM_INVALID_POINTER;
    std::memset(publicKey, 0, sizeof *publicKey);
    std::memset(privateKey, 0, sizeof *privateKey);
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    Evp<EVP_PKEY> pkey;
    if (algorithm == CSSM_ALGID_RSA) {
        pkey.reset(EVP_PKEY_Q_keygen(nullptr, nullptr, "RSA", static_cast<size_t>(keySizeInBits)));
    } else if (algorithm == CSSM_ALGID_DSA) {
        const Evp<EVP_PKEY_CTX> paramCtx(EVP_PKEY_CTX_new_from_name(nullptr, "DSA", nullptr));
        EVP_PKEY* params = nullptr;
        if (!paramCtx || EVP_PKEY_paramgen_init(paramCtx.get()) != 1
            || EVP_PKEY_CTX_set_dsa_paramgen_bits(paramCtx.get(), static_cast<int>(keySizeInBits)) != 1
            || EVP_PKEY_paramgen(paramCtx.get(), &params) != 1)
            return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
        const Evp<EVP_PKEY> paramOwner(params);
        const Evp<EVP_PKEY_CTX> keyCtx(EVP_PKEY_CTX_new_from_pkey(nullptr, params, nullptr));
        EVP_PKEY* made = nullptr;
        if (keyCtx && EVP_PKEY_keygen_init(keyCtx.get()) == 1 && EVP_PKEY_keygen(keyCtx.get(), &made) == 1)
            pkey.reset(made);
    } else {
        return CSSMERR_CSP_INVALID_ALGORITHM;
    }
    if (!pkey)
        return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
    CSSM_RETURN status = recordFromPkey(pkey.get(), false, algorithm, 9, publicKey);
    if (status == CSSM_OK)
        status = recordFromPkey(pkey.get(), true, algorithm, 6, privateKey);
    if (status != CSSM_OK) {
        std::free(publicKey->KeyData.Data);
        std::memset(publicKey, 0, sizeof *publicKey);
    }
    return status;
}

CSSM_RETURN cdsaDhGenerateKeyPair(CSSM_CSP_HANDLE cspHandle, CSSM_KEY* publicKey, CSSM_KEY* privateKey,
                                  std::uint32_t keySizeInBits, const CSSM_DATA* inParams, CSSM_DATA* outParams)
{
    if (!publicKey || !privateKey || (inParams == nullptr) == (outParams == nullptr))
        return CSSMERR_CSSM_INVALID_POINTER;
    std::memset(publicKey, 0, sizeof *publicKey);
    std::memset(privateKey, 0, sizeof *privateKey);
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    Evp<EVP_PKEY> params;
    if (inParams) {
        const unsigned char* p = inParams->Data;
        params.reset(d2i_KeyParams(EVP_PKEY_DH, nullptr, &p, static_cast<long>(inParams->Length)));
        if (!params)
            return CSSMERR_CSP_INVALID_DATA;
    } else {
        clear(outParams);
        const Evp<EVP_PKEY_CTX> ctx(EVP_PKEY_CTX_new_from_name(nullptr, "DH", nullptr));
        EVP_PKEY* made = nullptr;
        if (!ctx || EVP_PKEY_paramgen_init(ctx.get()) != 1
            || EVP_PKEY_CTX_set_dh_paramgen_prime_len(ctx.get(), static_cast<int>(keySizeInBits)) != 1
            || EVP_PKEY_CTX_set_dh_paramgen_generator(ctx.get(), 2) != 1 || EVP_PKEY_paramgen(ctx.get(), &made) != 1)
            return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
        params.reset(made);
        unsigned char* der = nullptr;
        const int length = i2d_KeyParams(params.get(), &der);
        if (length <= 0)
            return CSSMERR_CSP_FUNCTION_FAILED;
        const CSSM_RETURN status = give(outParams, der, static_cast<std::size_t>(length));
        OPENSSL_free(der);
        if (status != CSSM_OK)
            return status;
    }
    const Evp<EVP_PKEY_CTX> keyCtx(EVP_PKEY_CTX_new_from_pkey(nullptr, params.get(), nullptr));
    EVP_PKEY* made = nullptr;
    if (!keyCtx || EVP_PKEY_keygen_init(keyCtx.get()) != 1 || EVP_PKEY_keygen(keyCtx.get(), &made) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    const Evp<EVP_PKEY> pkey(made);
    CSSM_RETURN status = recordFromPkey(pkey.get(), false, CSSM_ALGID_DH, 0x100, publicKey);
    if (status == CSSM_OK)
        status = recordFromPkey(pkey.get(), true, CSSM_ALGID_DH, 0x100, privateKey);
    if (status != CSSM_OK) {
        std::free(publicKey->KeyData.Data);
        std::memset(publicKey, 0, sizeof *publicKey);
    }
    return status;
}

CSSM_RETURN cdsaDhKeyExchange(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* myPrivateKey, const void* publicKey,
                              std::uint32_t publicKeyLen, CSSM_KEY* derivedKey, std::uint32_t derivedKeySizeInBits,
                              CSSM_ALGORITHMS derivedKeyAlg)
{
    if (!myPrivateKey || !publicKey || !derivedKey)
        return CSSMERR_CSSM_INVALID_POINTER;
    std::memset(derivedKey, 0, sizeof *derivedKey);
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    const Evp<EVP_PKEY> mine = pkeyFromRecord(myPrivateKey);
    const auto* p = static_cast<const unsigned char*>(publicKey);
    const Evp<EVP_PKEY> peer(d2i_PUBKEY(nullptr, &p, static_cast<long>(publicKeyLen)));
    if (!mine || !peer)
        return CSSMERR_CSP_INVALID_KEY;
    const Evp<EVP_PKEY_CTX> ctx(EVP_PKEY_CTX_new_from_pkey(nullptr, mine.get(), nullptr));
    std::size_t n = 0;
    if (!ctx || EVP_PKEY_derive_init(ctx.get()) != 1 || EVP_PKEY_derive_set_peer(ctx.get(), peer.get()) != 1
        || EVP_PKEY_derive(ctx.get(), nullptr, &n) != 1)
        return CSSMERR_CSP_INVALID_KEY;
    std::vector<unsigned char> secret(n);
    if (EVP_PKEY_derive(ctx.get(), secret.data(), &n) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    const std::size_t bytes = derivedKeySizeInBits / 8;
    if (bytes == 0 || bytes > n)
        return CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH;
    const CSSM_RETURN status = give(&derivedKey->KeyData, secret.data(), bytes);
    OPENSSL_cleanse(secret.data(), secret.size());
    if (status == CSSM_OK)
        derivedKey->KeyHeader = {derivedKeyAlg, derivedKeySizeInBits, CSSM_KEYCLASS_SESSION_KEY, 0x80000000,
                                 0x10000020};
    return status;
}

CSSM_RETURN cdsaDigest(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS digestAlg, const CSSM_DATA* ptext,
                       CSSM_DATA* digestData)
{
    if (!ptext || !digestData)
        return CSSMERR_CSSM_INVALID_POINTER;
    clear(digestData);
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    Evp<EVP_MD> md;
    if (const CSSM_RETURN status = fetchDigest(digestAlg, md); status != CSSM_OK)
        return status;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_Digest(ptext->Data, ptext->Length, digest, &n, md.get(), nullptr) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    return give(digestData, digest, n);
}

CSSM_RETURN cdsaStagedDigestInit(CSSM_CSP_HANDLE cspHandle, CSSM_ALGORITHMS digestAlg, CSSM_CC_HANDLE* ccHandle)
{
    if (!ccHandle)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (!isAttached(cspHandle))
        return CSSMERR_CSSM_INVALID_ADDIN_HANDLE;
    Evp<EVP_MD> md;
    if (const CSSM_RETURN status = fetchDigest(digestAlg, md); status != CSSM_OK)
        return status;
    auto context = std::make_unique<Context>();
    context->kind = Context::Kind::Digest;
    context->csp = cspHandle;
    context->md.reset(EVP_MD_CTX_new());
    if (!context->md || EVP_DigestInit_ex2(context->md.get(), md.get(), nullptr) != 1)
        return CSSMERR_CSP_FUNCTION_FAILED;
    *ccHandle = registerContext(std::move(context));
    return CSSM_OK;
}

CSSM_RETURN cdsaStagedDigest(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* ptext, CSSM_DATA* digestData)
{
    Context* context = findContext(ccHandle, {Context::Kind::Digest});
    if (!context)
        return CSSMERR_CSP_INVALID_CONTEXT_HANDLE;
    CSSM_RETURN status = CSSM_OK;
    if (ptext && ptext->Length && EVP_DigestUpdate(context->md.get(), ptext->Data, ptext->Length) != 1)
        status = CSSMERR_CSP_FUNCTION_FAILED;
    if (status == CSSM_OK && final) {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int n = 0;
        if (!digestData)
            status = CSSMERR_CSSM_INVALID_POINTER;
        else if (EVP_DigestFinal_ex(context->md.get(), digest, &n) != 1)
            status = CSSMERR_CSP_FUNCTION_FAILED;
        else
            status = give(digestData, digest, n);
    }
    if (final)
        deleteContext(ccHandle);
    return status;
}

CSSM_RETURN cdsaSign(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg, const CSSM_DATA* ptext,
                     CSSM_DATA* signature)
{
    if (!signature)
        return CSSMERR_CSSM_INVALID_POINTER;
    clear(signature);
    std::unique_ptr<Context> context;
    CSSM_RETURN status = signatureContext(cspHandle, key, sigAlg, true, context);
    if (status == CSSM_OK)
        status = signUpdate(*context, ptext);
    if (status == CSSM_OK)
        status = signFinal(*context, signature);
    return status;
}

CSSM_RETURN cdsaVerify(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg, const CSSM_DATA* ptext,
                       const CSSM_DATA* signature)
{
    if (!signature)
        return CSSMERR_CSSM_INVALID_POINTER;
    std::unique_ptr<Context> context;
    CSSM_RETURN status = signatureContext(cspHandle, key, sigAlg, false, context);
    if (status == CSSM_OK)
        status = signUpdate(*context, ptext);
    if (status == CSSM_OK)
        status = verifyFinal(*context, signature);
    return status;
}

CSSM_RETURN cdsaStagedSignVerifyInit(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, CSSM_ALGORITHMS sigAlg,
                                     std::uint32_t operation, CSSM_CC_HANDLE* ccHandle)
{
    if (!ccHandle)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (operation != CDSA_SIGN && operation != CDSA_VERIFY)
        return CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED;
    std::unique_ptr<Context> context;
    const CSSM_RETURN status = signatureContext(cspHandle, key, sigAlg, operation == CDSA_SIGN, context);
    if (status == CSSM_OK)
        *ccHandle = registerContext(std::move(context));
    return status;
}

CSSM_RETURN cdsaStagedSign(CSSM_CC_HANDLE ccHandle, const CSSM_DATA* ptext, CSSM_DATA* signature)
{
    Context* context = findContext(ccHandle, {Context::Kind::Sign});
    if (!context)
        return CSSMERR_CSP_INVALID_CONTEXT_HANDLE;
    CSSM_RETURN status = signUpdate(*context, ptext);
    if (signature) {
        clear(signature);
        if (status == CSSM_OK)
            status = signFinal(*context, signature);
        deleteContext(ccHandle);
    }
    return status;
}

CSSM_RETURN cdsaStagedVerify(CSSM_CC_HANDLE ccHandle, const CSSM_DATA* ptext, const CSSM_DATA* signature)
{
    Context* context = findContext(ccHandle, {Context::Kind::Verify});
    if (!context)
        return CSSMERR_CSP_INVALID_CONTEXT_HANDLE;
    CSSM_RETURN status = signUpdate(*context, ptext);
    if (signature) {
        if (status == CSSM_OK)
            status = verifyFinal(*context, signature);
        deleteContext(ccHandle);
    }
    return status;
}

CSSM_RETURN cdsaEncrypt(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, const CSSM_DATA* plainText,
                        CSSM_DATA* cipherText)
{
    return oneShot(cspHandle, key, true, plainText, cipherText);
}

CSSM_RETURN cdsaDecrypt(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, const CSSM_DATA* cipherText,
                        CSSM_DATA* plainText)
{
    return oneShot(cspHandle, key, false, cipherText, plainText);
}

CSSM_RETURN cdsaStagedEncDecrInit(CSSM_CSP_HANDLE cspHandle, const CSSM_KEY* key, std::uint32_t operation,
                                  CSSM_CC_HANDLE* ccHandle)
{
    if (!ccHandle)
        return CSSMERR_CSSM_INVALID_POINTER;
    if (operation != CDSA_ENCRYPT && operation != CDSA_DECRYPT)
        return CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED;
    std::unique_ptr<Context> context;
    const CSSM_RETURN status = genCryptHandle(cspHandle, key, operation == CDSA_ENCRYPT, context);
    if (status == CSSM_OK)
        *ccHandle = registerContext(std::move(context));
    return status;
}

CSSM_RETURN cdsaStagedEncrypt(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* plainText, CSSM_DATA* cipherText)
{
    return stagedCipher(ccHandle, final, true, plainText, cipherText);
}

CSSM_RETURN cdsaStagedDecrypt(CSSM_CC_HANDLE ccHandle, bool final, const CSSM_DATA* cipherText, CSSM_DATA* plainText)
{
    return stagedCipher(ccHandle, final, false, cipherText, plainText);
}

QString CSSMErrorMessage(CSSM_RETURN status)
{
    switch (status) {
    case CSSM_OK: return QStringLiteral("No error.");
    case CSSMERR_CSSM_INVALID_POINTER: return QStringLiteral("Invalid pointer.");
    case CSSMERR_CSP_INTERNAL_ERROR: return QStringLiteral("Internal error in the cryptographic service.");
    case CSSMERR_CSP_FUNCTION_NOT_IMPLEMENTED: return QStringLiteral("Function not implemented.");
    case CSSMERR_CSP_MEMORY_ERROR: return QStringLiteral("Memory allocation failed.");
    case CSSMERR_CSP_FUNCTION_FAILED: return QStringLiteral("The cryptographic operation failed.");
    case CSSMERR_CSSM_INVALID_ADDIN_HANDLE: return QStringLiteral("Invalid cryptographic service handle.");
    case CSSMERR_CSP_INVALID_CONTEXT_HANDLE: return QStringLiteral("Invalid context handle.");
    case CSSMERR_CSP_INVALID_ALGORITHM: return QStringLiteral("Algorithm not available.");
    case CSSMERR_CSP_INVALID_KEY: return QStringLiteral("Invalid key.");
    case CSSMERR_CSP_INVALID_ATTR_KEY_LENGTH: return QStringLiteral("Invalid key length.");
    case CSSMERR_CSP_INVALID_DATA: return QStringLiteral("Invalid data (bad padding or wrong key).");
    case CSSMERR_CSP_VERIFY_FAILED: return QStringLiteral("Signature verification failed.");
    case CSSMERR_CSP_INPUT_LENGTH_ERROR: return QStringLiteral("Input too long.");
    default: return QStringLiteral("CSSM error 0x%1.").arg(status, 8, 16, QLatin1Char('0'));
    }
}
