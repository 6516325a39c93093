// Digests, codecs and the stable hash on 64 MiB, each beside its anchors (OpenSSL, QByteArray),
// in the same allocation regime: "whole call" figures return a freshly allocated result, as
// callers get it, against anchors that allocate too; "codec alone" figures write into a buffer
// kept across iterations, against anchors that do the same. Every contender runs once untimed
// before its loop, and the heap keeps freed blocks (mallopt in main), so the page faults of a
// first-touch 64-256 MiB mapping stay out of every figure. After the runs a table gives each
// figure's speed relative to its fastest anchor, with its goal.
#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"
#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"
#include "Foundation_Additions/NSData/TzPreTigerHash.h"
#include "Foundation_Additions/NSData/md5.h"

#include <benchmark/benchmark.h>

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <QString>

#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr qsizetype bigSize = qsizetype(64) << 20;

const QByteArray& bigData()
{
    static const QByteArray data = [] {
        QByteArray bytes(bigSize, Qt::Uninitialized);
        std::uint32_t x = 0x12345678;
        for (char& c : bytes) {
            x = x * 1664525 + 1013904223;
            c = char(x >> 24);
        }
        return bytes;
    }();
    return data;
}

const QByteArray& bigHex()
{
    static const QByteArray hex = bigData().toHex().toUpper();
    return hex;
}
const QString& bigHexText()
{
    static const QString text = QString::fromLatin1(bigHex());
    return text;
}
const QByteArray& bigBase64()
{
    static const QByteArray base64 = bigData().toBase64();
    return base64;
}
const QString& bigBase64Text()
{
    static const QString text = QString::fromLatin1(bigBase64());
    return text;
}

void setBytes(benchmark::State& state, qsizetype bytes)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytes);
}

// Runs work once untimed, then in the timed loop.
template <typename Work>
void measure(benchmark::State& state, qsizetype bytes, Work work)
{
    benchmark::DoNotOptimize(work());
    for (auto _ : state)
        benchmark::DoNotOptimize(work());
    setBytes(state, bytes);
}

// A buffer of n elements kept for the whole run, touched once.
template <typename T>
T* keptBuffer(std::vector<T>& storage, std::size_t n)
{
    storage.assign(n, T{});
    return storage.data();
}

// MD5
void BM_md5_buffer(benchmark::State& state)
{
    const QByteArray& data = bigData();
    unsigned char digest[16];
    measure(state, data.size(), [&] {
        md5_buffer(data.constData(), std::size_t(data.size()), digest);
        return digest[0];
    });
}
void BM_anchor_OpenSSL_MD5(benchmark::State& state)
{
    const QByteArray& data = bigData();
    unsigned char digest[16];
    unsigned int n = 0;
    EVP_MD* md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
    measure(state, data.size(), [&] {
        EVP_Digest(data.constData(), std::size_t(data.size()), digest, &n, md5, nullptr);
        return digest[0];
    });
    EVP_MD_free(md5);
}

const unsigned char* bigBytes()
{
    return reinterpret_cast<const unsigned char*>(bigData().constData());
}

// Hexadecimal, whole call: a fresh result every time.
void BM_hex_encode(benchmark::State& state)
{
    measure(state, bigSize, [] { return tz::hexadecimalRepresentation(bigData()); });
}
void BM_anchor_QByteArray_toHex(benchmark::State& state)
{
    measure(state, bigSize, [] { return bigData().toHex(); });
}
void BM_anchor_OpenSSL_buf2hexstr(benchmark::State& state)
{
    std::size_t n = 0;
    measure(state, bigSize, [&] {
        const std::size_t size = std::size_t(2 * bigSize + 1);
        const auto out = std::make_unique_for_overwrite<char[]>(size);
        OPENSSL_buf2hexstr_ex(out.get(), size, &n, bigBytes(), std::size_t(bigSize), '\0');
        return out[0];
    });
}
void BM_hex_decode(benchmark::State& state)
{
    const QString& text = bigHexText();
    measure(state, bigSize, [&] { return tz::dataWithHexadecimalRepresentation(text); });
}
void BM_anchor_QByteArray_fromHex(benchmark::State& state)
{
    measure(state, bigSize, [] { return QByteArray::fromHex(bigHex()); });
}
void BM_anchor_OpenSSL_hexstr2buf(benchmark::State& state)
{
    std::size_t n = 0;
    measure(state, bigSize, [&] {
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(bigSize));
        OPENSSL_hexstr2buf_ex(out.get(), std::size_t(bigSize), &n, bigHex().constData(), '\0');
        return out[0];
    });
}

// Hexadecimal, codec alone: into a kept buffer.
void BM_hex_encode_alone(benchmark::State& state)
{
    std::vector<char16_t> storage;
    char16_t* out = keptBuffer(storage, std::size_t(2 * bigSize));
    measure(state, bigSize, [&] {
        tz::writeHexadecimal(bigBytes(), bigSize, out);
        return out[0];
    });
}
void BM_anchor_alone_OpenSSL_buf2hexstr(benchmark::State& state)
{
    std::vector<char> storage;
    char* out = keptBuffer(storage, std::size_t(2 * bigSize + 1));
    std::size_t n = 0;
    measure(state, bigSize, [&] {
        OPENSSL_buf2hexstr_ex(out, storage.size(), &n, bigBytes(), std::size_t(bigSize), '\0');
        return out[0];
    });
}
void BM_hex_decode_alone(benchmark::State& state)
{
    std::vector<unsigned char> storage;
    unsigned char* out = keptBuffer(storage, std::size_t(bigSize + 1));
    const auto* in = reinterpret_cast<const char16_t*>(bigHexText().constData());
    measure(state, bigSize, [&] { return tz::readHexadecimal(in, bigHexText().size(), out); });
}
void BM_anchor_alone_OpenSSL_hexstr2buf(benchmark::State& state)
{
    std::vector<unsigned char> storage;
    unsigned char* out = keptBuffer(storage, std::size_t(bigSize));
    std::size_t n = 0;
    measure(state, bigSize, [&] {
        OPENSSL_hexstr2buf_ex(out, storage.size(), &n, bigHex().constData(), '\0');
        return n;
    });
}

// Base64, whole call.
void BM_base64_encode(benchmark::State& state)
{
    measure(state, bigSize, [] { return tz::base64EncodingWithLineLength(bigData(), 0); });
}
void BM_base64_encode_lines76(benchmark::State& state)
{
    measure(state, bigSize, [] { return tz::base64EncodingWithLineLength(bigData(), 76); });
}
void BM_anchor_QByteArray_toBase64(benchmark::State& state)
{
    measure(state, bigSize, [] { return bigData().toBase64(); });
}
void BM_anchor_OpenSSL_EncodeBlock(benchmark::State& state)
{
    measure(state, bigSize, [] {
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(std::size_t((bigSize + 2) / 3 * 4 + 1));
        return EVP_EncodeBlock(out.get(), bigBytes(), int(bigSize));
    });
}
void BM_base64_decode(benchmark::State& state)
{
    const QString& text = bigBase64Text();
    measure(state, bigSize, [&] { return tz::dataWithBase64EncodedString(text); });
}
void BM_anchor_QByteArray_fromBase64(benchmark::State& state)
{
    measure(state, bigSize, [] { return QByteArray::fromBase64(bigBase64()); });
}
void BM_anchor_OpenSSL_DecodeBlock(benchmark::State& state)
{
    measure(state, bigSize, [] {
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(bigSize + 3));
        return EVP_DecodeBlock(out.get(), reinterpret_cast<const unsigned char*>(bigBase64().constData()),
                               int(bigBase64().size()));
    });
}

// Base64, codec alone.
void BM_base64_encode_alone(benchmark::State& state)
{
    std::vector<char16_t> storage;
    char16_t* out = keptBuffer(storage, std::size_t(tz::base64EncodedLength(bigSize, 0)));
    measure(state, bigSize, [&] {
        tz::writeBase64(bigBytes(), bigSize, 0, out);
        return out[0];
    });
}
void BM_anchor_alone_OpenSSL_EncodeBlock(benchmark::State& state)
{
    std::vector<unsigned char> storage;
    unsigned char* out = keptBuffer(storage, std::size_t((bigSize + 2) / 3 * 4 + 1));
    measure(state, bigSize, [&] { return EVP_EncodeBlock(out, bigBytes(), int(bigSize)); });
}
void BM_base64_decode_alone(benchmark::State& state)
{
    std::vector<unsigned char> storage;
    unsigned char* out = keptBuffer(storage, std::size_t(bigSize + 4));
    const auto* in = reinterpret_cast<const char16_t*>(bigBase64Text().constData());
    measure(state, bigSize, [&] { return tz::readBase64(in, bigBase64Text().size(), out); });
}
void BM_anchor_alone_OpenSSL_DecodeBlock(benchmark::State& state)
{
    std::vector<unsigned char> storage;
    unsigned char* out = keptBuffer(storage, std::size_t(bigSize + 3));
    measure(state, bigSize, [&] {
        return EVP_DecodeBlock(out, reinterpret_cast<const unsigned char*>(bigBase64().constData()),
                               int(bigBase64().size()));
    });
}

// Stable hash: bounded reads, so 16 bytes and 64 MiB take the same time.
void BM_preTigerHash_16B(benchmark::State& state)
{
    const QByteArray data = bigData().first(16);
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::preTigerHash(data));
}
void BM_preTigerHash_64MiB(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::preTigerHash(bigData()));
}
void BM_tzPreTigerHash_16units(benchmark::State& state)
{
    const QString text = bigHexText().first(16);
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::tzPreTigerHash(text));
}
void BM_tzPreTigerHash_64Miunits(benchmark::State& state)
{
    const QString text = bigHexText().first(bigSize);
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::tzPreTigerHash(text));
}

} // namespace

BENCHMARK(BM_md5_buffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_OpenSSL_MD5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_hex_encode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_QByteArray_toHex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_OpenSSL_buf2hexstr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_hex_decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_QByteArray_fromHex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_OpenSSL_hexstr2buf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64_encode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64_encode_lines76)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_QByteArray_toBase64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_OpenSSL_EncodeBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64_decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_QByteArray_fromBase64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_OpenSSL_DecodeBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_hex_encode_alone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_alone_OpenSSL_buf2hexstr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_hex_decode_alone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_alone_OpenSSL_hexstr2buf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64_encode_alone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_alone_OpenSSL_EncodeBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_base64_decode_alone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_anchor_alone_OpenSSL_DecodeBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_preTigerHash_16B);
BENCHMARK(BM_preTigerHash_64MiB);
BENCHMARK(BM_tzPreTigerHash_16units);
BENCHMARK(BM_tzPreTigerHash_64Miunits);

namespace {

// Keeps each run's time so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

struct Comparison
{
    const char* figure;
    std::vector<const char*> anchors;
    const char* goal;
    double atLeast = 0; // 0: no pass mark, only a figure to read
};

} // namespace

int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const std::vector<Comparison> comparisons = {
        {"BM_md5_buffer", {"BM_anchor_OpenSSL_MD5"}, ">= 0.90", 0.90},
        {"BM_hex_encode", {"BM_anchor_QByteArray_toHex", "BM_anchor_OpenSSL_buf2hexstr"}, ">= 2", 2},
        {"BM_hex_decode", {"BM_anchor_QByteArray_fromHex", "BM_anchor_OpenSSL_hexstr2buf"}, ">= 2", 2},
        {"BM_base64_encode", {"BM_anchor_QByteArray_toBase64", "BM_anchor_OpenSSL_EncodeBlock"}, ">= 2", 2},
        {"BM_base64_encode_lines76", {"BM_anchor_QByteArray_toBase64", "BM_anchor_OpenSSL_EncodeBlock"}, ">= 2", 2},
        {"BM_base64_decode", {"BM_anchor_QByteArray_fromBase64", "BM_anchor_OpenSSL_DecodeBlock"}, ">= 2", 2},
        {"BM_hex_encode_alone", {"BM_anchor_alone_OpenSSL_buf2hexstr"}, ">= 2", 2},
        {"BM_hex_decode_alone", {"BM_anchor_alone_OpenSSL_hexstr2buf"}, ">= 2", 2},
        {"BM_base64_encode_alone", {"BM_anchor_alone_OpenSSL_EncodeBlock"}, ">= 2", 2},
        {"BM_base64_decode_alone", {"BM_anchor_alone_OpenSSL_DecodeBlock"}, ">= 2", 2},
        {"BM_preTigerHash_64MiB", {"BM_preTigerHash_16B"}, "~ 1 (bounded read)"},
        {"BM_tzPreTigerHash_64Miunits", {"BM_tzPreTigerHash_16units"}, "~ 1 (bounded read)"},
    };
    std::printf("\nSpeed relative to the fastest anchor in the same regime (anchor CPU time / figure CPU time):\n");
    for (const Comparison& c : comparisons) {
        const auto figure = reporter.times.find(c.figure);
        if (figure == reporter.times.end())
            continue;
        double best = 0;
        const char* bestName = nullptr;
        for (const char* anchor : c.anchors) {
            const auto it = reporter.times.find(anchor);
            if (it != reporter.times.end() && (!bestName || it->second < best)) {
                best = it->second;
                bestName = anchor;
            }
        }
        if (bestName) {
            const double speed = best / figure->second;
            const char* verdict = c.atLeast <= 0 ? "" : speed >= c.atLeast ? "  met" : "  NOT met";
            std::printf("  %-30s %6.2fx  vs %-38s goal %s%s\n", c.figure, speed, bestName, c.goal, verdict);
        }
    }
    benchmark::Shutdown();
    return 0;
}
