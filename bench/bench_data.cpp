// Digests, codecs and the stable hash on 64 MiB, each beside its anchors (OpenSSL, QByteArray).
// After the runs a table gives each figure's speed (CPU time) relative to its fastest anchor.
// Every contender returns a freshly allocated result, as callers get it; the heap keeps freed
// blocks (mallopt in main) so that page faults of fresh 64-256 MiB mappings, which would
// swamp every figure alike, stay out of the loop.
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

// MD5
void BM_md5_buffer(benchmark::State& state)
{
    const QByteArray& data = bigData();
    unsigned char digest[16];
    for (auto _ : state) {
        md5_buffer(data.constData(), std::size_t(data.size()), digest);
        benchmark::DoNotOptimize(digest);
    }
    setBytes(state, data.size());
}
void BM_anchor_OpenSSL_MD5(benchmark::State& state)
{
    const QByteArray& data = bigData();
    unsigned char digest[16];
    unsigned int n = 0;
    EVP_MD* md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
    for (auto _ : state) {
        EVP_Digest(data.constData(), std::size_t(data.size()), digest, &n, md5, nullptr);
        benchmark::DoNotOptimize(digest);
    }
    EVP_MD_free(md5);
    setBytes(state, data.size());
}

// Hexadecimal
void BM_hex_encode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::hexadecimalRepresentation(bigData()));
    setBytes(state, bigSize);
}
void BM_anchor_QByteArray_toHex(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bigData().toHex());
    setBytes(state, bigSize);
}
void BM_anchor_OpenSSL_buf2hexstr(benchmark::State& state)
{
    std::size_t n = 0;
    for (auto _ : state) {
        const std::size_t size = std::size_t(2 * bigSize + 1);
        const auto out = std::make_unique_for_overwrite<char[]>(size);
        OPENSSL_buf2hexstr_ex(out.get(), size, &n, reinterpret_cast<const unsigned char*>(bigData().constData()),
                              std::size_t(bigSize), '\0');
        benchmark::DoNotOptimize(out.get());
    }
    setBytes(state, bigSize);
}
void BM_hex_decode(benchmark::State& state)
{
    const QString& text = bigHexText();
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::dataWithHexadecimalRepresentation(text));
    setBytes(state, bigSize);
}
void BM_anchor_QByteArray_fromHex(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QByteArray::fromHex(bigHex()));
    setBytes(state, bigSize);
}
void BM_anchor_OpenSSL_hexstr2buf(benchmark::State& state)
{
    std::size_t n = 0;
    for (auto _ : state) {
        const std::size_t size = std::size_t(bigSize);
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(size);
        OPENSSL_hexstr2buf_ex(out.get(), size, &n, bigHex().constData(), '\0');
        benchmark::DoNotOptimize(out.get());
    }
    setBytes(state, bigSize);
}

// Base64
void BM_base64_encode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::base64EncodingWithLineLength(bigData(), 0));
    setBytes(state, bigSize);
}
void BM_base64_encode_lines76(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::base64EncodingWithLineLength(bigData(), 76));
    setBytes(state, bigSize);
}
void BM_anchor_QByteArray_toBase64(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bigData().toBase64());
    setBytes(state, bigSize);
}
void BM_anchor_OpenSSL_EncodeBlock(benchmark::State& state)
{
    for (auto _ : state) {
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(std::size_t((bigSize + 2) / 3 * 4 + 1));
        EVP_EncodeBlock(out.get(), reinterpret_cast<const unsigned char*>(bigData().constData()), int(bigSize));
        benchmark::DoNotOptimize(out.get());
    }
    setBytes(state, bigSize);
}
void BM_base64_decode(benchmark::State& state)
{
    const QString& text = bigBase64Text();
    for (auto _ : state)
        benchmark::DoNotOptimize(tz::dataWithBase64EncodedString(text));
    setBytes(state, bigSize);
}
void BM_anchor_QByteArray_fromBase64(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QByteArray::fromBase64(bigBase64()));
    setBytes(state, bigSize);
}
void BM_anchor_OpenSSL_DecodeBlock(benchmark::State& state)
{
    for (auto _ : state) {
        const auto out = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(bigSize + 3));
        EVP_DecodeBlock(out.get(), reinterpret_cast<const unsigned char*>(bigBase64().constData()),
                        int(bigBase64().size()));
        benchmark::DoNotOptimize(out.get());
    }
    setBytes(state, bigSize);
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
        {"BM_md5_buffer", {"BM_anchor_OpenSSL_MD5"}, ">= 0.90"},
        {"BM_hex_encode", {"BM_anchor_QByteArray_toHex", "BM_anchor_OpenSSL_buf2hexstr"}, ">= 2"},
        {"BM_hex_decode", {"BM_anchor_QByteArray_fromHex", "BM_anchor_OpenSSL_hexstr2buf"}, ">= 2"},
        {"BM_base64_encode", {"BM_anchor_QByteArray_toBase64", "BM_anchor_OpenSSL_EncodeBlock"}, ">= 2"},
        {"BM_base64_encode_lines76", {"BM_anchor_QByteArray_toBase64", "BM_anchor_OpenSSL_EncodeBlock"}, ">= 2"},
        {"BM_base64_decode", {"BM_anchor_QByteArray_fromBase64", "BM_anchor_OpenSSL_DecodeBlock"}, ">= 2"},
        {"BM_preTigerHash_64MiB", {"BM_preTigerHash_16B"}, "~ 1 (bounded read)"},
        {"BM_tzPreTigerHash_64Miunits", {"BM_tzPreTigerHash_16units"}, "~ 1 (bounded read)"},
    };
    std::printf("\nSpeed relative to the fastest anchor (anchor CPU time / figure CPU time):\n");
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
        if (bestName)
            std::printf("  %-30s %6.2fx  vs %-32s goal %s\n", c.figure, best / figure->second, bestName, c.goal);
    }
    benchmark::Shutdown();
    return 0;
}
