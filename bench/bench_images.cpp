// The colour-range replacement on a 4096 × 4096 RGBA8888 image, beside a plain loop over
// QImage::bits() of a copy doing the same comparisons. Both make a fresh 64 MiB bitmap in every
// iteration (ours converts, the anchor detaches a copy); each runs once untimed before its loop
// and the heap keeps freed blocks (mallopt in main), so first-touch page faults stay out. After
// the runs: ours over the anchor, goal at most 1.2.
#include "Graphics/PixelFromColor.h"
#include "Graphics/TzNSImageAdditions.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <map>
#include <string>

namespace {

constexpr int side = 4096;

// Premultiplied pixels in a spread of colours and alphas, about a third of them in the range
// below and a few nearly transparent.
const QImage& bigImage()
{
    static const QImage image = [] {
        QImage result(side, side, QImage::Format_RGBA8888_Premultiplied);
        std::uint32_t x = 0x12345678;
        uchar* bytes = result.bits();
        for (qsizetype i = 0; i < result.sizeInBytes(); i += 4) {
            x = x * 1664525 + 1013904223;
            const uchar a = uchar(x >> 24) | 0x03;
            bytes[i] = uchar((x >> 16) % (a + 1u));
            bytes[i + 1] = uchar((x >> 8) % (a + 1u));
            bytes[i + 2] = uchar(x % (a + 1u));
            bytes[i + 3] = a;
        }
        return result;
    }();
    return image;
}

const QColor low = QColor::fromRgbF(0.0f, 0.0f, 0.0f);
const QColor high = QColor::fromRgbF(0.4f, 0.5f, 0.6f);
const QColor clear = QColor(Qt::transparent);

QImage anchorReplacement(const QImage& image)
{
    uchar lo[4];
    uchar hi[4];
    uchar to[4];
    tz::PixelFromColor(lo, low);
    tz::PixelFromColor(hi, high);
    tz::PixelFromColor(to, clear);
    QImage copy = image;
    uchar* const bytes = copy.bits();
    for (qsizetype at = copy.sizeInBytes() - 4; at >= 0; at -= 4) {
        uchar* const p = bytes + at;
        if ((p[0] >= lo[0] && p[0] <= hi[0] && p[1] >= lo[1] && p[1] <= hi[1] && p[2] >= lo[2] && p[2] <= hi[2])
            || p[3] < 6)
            std::memcpy(p, to, 4);
    }
    return copy;
}

template <typename Work>
void measure(benchmark::State& state, Work work)
{
    benchmark::DoNotOptimize(work());
    for (auto _ : state)
        benchmark::DoNotOptimize(work());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bigImage().sizeInBytes());
}

void BM_replacement_ours(benchmark::State& state)
{
    measure(state, [] { return tz::imageWithColorToColorSetToColor(bigImage(), low, high, clear); });
}

void BM_replacement_bitsLoop(benchmark::State& state)
{
    measure(state, [] { return anchorReplacement(bigImage()); });
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            const std::string name = r.run_name.function_name;
            const double time = r.GetAdjustedCPUTime();
            const auto known = _times.find(name);
            _times[name] = known == _times.end() ? time : std::min(known->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double ratio = _times["BM_replacement_ours"] / _times["BM_replacement_bitsLoop"];
        std::printf("\ncolour-range replacement, 4096 x 4096: ours / plain bits() loop %.2f (goal: at most 1.2)  %s\n",
                    ratio, ratio <= 1.2 ? "met" : "NOT met");
    }

private:
    std::map<std::string, double> _times;
};

} // namespace

BENCHMARK(BM_replacement_ours)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.2)->Repetitions(5);
BENCHMARK(BM_replacement_bitsLoop)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.2)->Repetitions(5);

int main(int argc, char** argv)
{
    // Freed blocks stay in the heap, so fresh mappings' page faults stay out of the loop.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (tz::imageWithColorToColorSetToColor(bigImage(), low, high, clear) != anchorReplacement(bigImage()))
        std::printf("ours and the anchor give different images: the figures do not compare\n");
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
