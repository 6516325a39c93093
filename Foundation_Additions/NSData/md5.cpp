#include "Foundation_Additions/NSData/md5.h"

#include <cstring>

namespace {

inline std::uint32_t loadLE(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline void storeLE(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

inline std::uint32_t rotl(std::uint32_t x, int s)
{
    return (x << s) | (x >> (32 - s));
}

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return z ^ (x & (y ^ z));
}
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return y ^ (z & (x ^ y));
}
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return x ^ y ^ z;
}
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return y ^ (x | ~z);
}

#define MD5_STEP(f, a, b, c, d, x, t, s) a = b + rotl(a + f(b, c, d) + (x) + (t), s)

void compress(const unsigned char* p, md5_ctx* ctx)
{
    std::uint32_t X[16];
    for (int i = 0; i < 16; ++i)
        X[i] = loadLE(p + 4 * i);
    std::uint32_t a = ctx->A, b = ctx->B, c = ctx->C, d = ctx->D;

    MD5_STEP(F, a, b, c, d, X[0], 0xd76aa478, 7);
    MD5_STEP(F, d, a, b, c, X[1], 0xe8c7b756, 12);
    MD5_STEP(F, c, d, a, b, X[2], 0x242070db, 17);
    MD5_STEP(F, b, c, d, a, X[3], 0xc1bdceee, 22);
    MD5_STEP(F, a, b, c, d, X[4], 0xf57c0faf, 7);
    MD5_STEP(F, d, a, b, c, X[5], 0x4787c62a, 12);
    MD5_STEP(F, c, d, a, b, X[6], 0xa8304613, 17);
    MD5_STEP(F, b, c, d, a, X[7], 0xfd469501, 22);
    MD5_STEP(F, a, b, c, d, X[8], 0x698098d8, 7);
    MD5_STEP(F, d, a, b, c, X[9], 0x8b44f7af, 12);
    MD5_STEP(F, c, d, a, b, X[10], 0xffff5bb1, 17);
    MD5_STEP(F, b, c, d, a, X[11], 0x895cd7be, 22);
    MD5_STEP(F, a, b, c, d, X[12], 0x6b901122, 7);
    MD5_STEP(F, d, a, b, c, X[13], 0xfd987193, 12);
    MD5_STEP(F, c, d, a, b, X[14], 0xa679438e, 17);
    MD5_STEP(F, b, c, d, a, X[15], 0x49b40821, 22);

    MD5_STEP(G, a, b, c, d, X[1], 0xf61e2562, 5);
    MD5_STEP(G, d, a, b, c, X[6], 0xc040b340, 9);
    MD5_STEP(G, c, d, a, b, X[11], 0x265e5a51, 14);
    MD5_STEP(G, b, c, d, a, X[0], 0xe9b6c7aa, 20);
    MD5_STEP(G, a, b, c, d, X[5], 0xd62f105d, 5);
    MD5_STEP(G, d, a, b, c, X[10], 0x02441453, 9);
    MD5_STEP(G, c, d, a, b, X[15], 0xd8a1e681, 14);
    MD5_STEP(G, b, c, d, a, X[4], 0xe7d3fbc8, 20);
    MD5_STEP(G, a, b, c, d, X[9], 0x21e1cde6, 5);
    MD5_STEP(G, d, a, b, c, X[14], 0xc33707d6, 9);
    MD5_STEP(G, c, d, a, b, X[3], 0xf4d50d87, 14);
    MD5_STEP(G, b, c, d, a, X[8], 0x455a14ed, 20);
    MD5_STEP(G, a, b, c, d, X[13], 0xa9e3e905, 5);
    MD5_STEP(G, d, a, b, c, X[2], 0xfcefa3f8, 9);
    MD5_STEP(G, c, d, a, b, X[7], 0x676f02d9, 14);
    MD5_STEP(G, b, c, d, a, X[12], 0x8d2a4c8a, 20);

    MD5_STEP(H, a, b, c, d, X[5], 0xfffa3942, 4);
    MD5_STEP(H, d, a, b, c, X[8], 0x8771f681, 11);
    MD5_STEP(H, c, d, a, b, X[11], 0x6d9d6122, 16);
    MD5_STEP(H, b, c, d, a, X[14], 0xfde5380c, 23);
    MD5_STEP(H, a, b, c, d, X[1], 0xa4beea44, 4);
    MD5_STEP(H, d, a, b, c, X[4], 0x4bdecfa9, 11);
    MD5_STEP(H, c, d, a, b, X[7], 0xf6bb4b60, 16);
    MD5_STEP(H, b, c, d, a, X[10], 0xbebfbc70, 23);
    MD5_STEP(H, a, b, c, d, X[13], 0x289b7ec6, 4);
    MD5_STEP(H, d, a, b, c, X[0], 0xeaa127fa, 11);
    MD5_STEP(H, c, d, a, b, X[3], 0xd4ef3085, 16);
    MD5_STEP(H, b, c, d, a, X[6], 0x04881d05, 23);
    MD5_STEP(H, a, b, c, d, X[9], 0xd9d4d039, 4);
    MD5_STEP(H, d, a, b, c, X[12], 0xe6db99e5, 11);
    MD5_STEP(H, c, d, a, b, X[15], 0x1fa27cf8, 16);
    MD5_STEP(H, b, c, d, a, X[2], 0xc4ac5665, 23);

    MD5_STEP(I, a, b, c, d, X[0], 0xf4292244, 6);
    MD5_STEP(I, d, a, b, c, X[7], 0x432aff97, 10);
    MD5_STEP(I, c, d, a, b, X[14], 0xab9423a7, 15);
    MD5_STEP(I, b, c, d, a, X[5], 0xfc93a039, 21);
    MD5_STEP(I, a, b, c, d, X[12], 0x655b59c3, 6);
    MD5_STEP(I, d, a, b, c, X[3], 0x8f0ccc92, 10);
    MD5_STEP(I, c, d, a, b, X[10], 0xffeff47d, 15);
    MD5_STEP(I, b, c, d, a, X[1], 0x85845dd1, 21);
    MD5_STEP(I, a, b, c, d, X[8], 0x6fa87e4f, 6);
    MD5_STEP(I, d, a, b, c, X[15], 0xfe2ce6e0, 10);
    MD5_STEP(I, c, d, a, b, X[6], 0xa3014314, 15);
    MD5_STEP(I, b, c, d, a, X[13], 0x4e0811a1, 21);
    MD5_STEP(I, a, b, c, d, X[4], 0xf7537e82, 6);
    MD5_STEP(I, d, a, b, c, X[11], 0xbd3af235, 10);
    MD5_STEP(I, c, d, a, b, X[2], 0x2ad7d2bb, 15);
    MD5_STEP(I, b, c, d, a, X[9], 0xeb86d391, 21);

    ctx->A += a;
    ctx->B += b;
    ctx->C += c;
    ctx->D += d;
}

#undef MD5_STEP

} // namespace

md5_ctx* md5_init_ctx(md5_ctx* ctx)
{
    ctx->A = 0x67452301;
    ctx->B = 0xefcdab89;
    ctx->C = 0x98badcfe;
    ctx->D = 0x10325476;
    return ctx;
}

void md5_process_block(const void* buffer, std::size_t len, md5_ctx* ctx)
{
    const auto* p = static_cast<const unsigned char*>(buffer);
    for (const unsigned char* end = p + len; p < end; p += 64)
        compress(p, ctx);
}

void* md5_read_ctx(const md5_ctx* ctx, void* resbuf)
{
    auto* out = static_cast<unsigned char*>(resbuf);
    storeLE(out, ctx->A);
    storeLE(out + 4, ctx->B);
    storeLE(out + 8, ctx->C);
    storeLE(out + 12, ctx->D);
    return resbuf;
}

void* md5_buffer(const char* buffer, std::size_t len, void* resblock)
{
    md5_ctx ctx;
    md5_init_ctx(&ctx);
    const std::size_t whole = len & ~std::size_t(63);
    if (whole)
        md5_process_block(buffer, whole, &ctx);

    unsigned char tail[128] = {};
    const std::size_t rest = len - whole;
    if (rest)
        std::memcpy(tail, buffer + whole, rest);
    tail[rest] = 0x80;
    const std::size_t padded = rest < 56 ? 64 : 128;
    storeLE(tail + padded - 8, static_cast<std::uint32_t>(len << 3));
    storeLE(tail + padded - 4, static_cast<std::uint32_t>(static_cast<std::uint64_t>(len) >> 29));
    md5_process_block(tail, padded, &ctx);
    return md5_read_ctx(&ctx, resblock);
}
