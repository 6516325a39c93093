// A free copy name in a folder that already holds n copies, "f.txt" to "f copy n.txt": uniquedPath
// beside its anchor, the 2n + 2 existence tests the counter rule itself needs ("f copy k.txt" and
// "f.txt" again for each k, then the free name), on the same names. After the table: ours over
// the anchor (goal at most 1.5) and time(2n) over time(n) (goal at most 2.2: no re-scan), from
// the fastest of the repetitions.
#include "Foundation_Additions/NSString/TzNSStringUniquedPath.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr qsizetype copies = 1'000;

// One folder per size, made once and kept for the run.
struct Folder
{
    explicit Folder(qsizetype n)
    {
        const auto touch = [this](const QString& name) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly);
        };
        ok = dir.isValid() && touch(QStringLiteral("f.txt"));
        for (qsizetype k = 1; ok && k <= n; ++k)
            ok = touch(QStringLiteral("f copy %1.txt").arg(k));
        for (qsizetype k = 1; k <= n + 1; ++k) {
            tested.append(dir.filePath(QStringLiteral("f copy %1.txt").arg(k)));
            if (k <= n)
                tested.append(dir.filePath(QStringLiteral("f.txt")));
        }
        tested.prepend(dir.filePath(QStringLiteral("f.txt")));
    }
    QTemporaryDir dir;
    QStringList tested;
    bool ok = false;
};

const Folder& folder(qsizetype n)
{
    static std::map<qsizetype, std::unique_ptr<Folder>> cache;
    auto& entry = cache[n];
    if (!entry)
        entry = std::make_unique<Folder>(n);
    return *entry;
}

void BM_uniquedPath_ours(benchmark::State& s)
{
    const Folder& f = folder(s.range(0));
    if (!f.ok) {
        s.SkipWithError("cannot make the folder");
        return;
    }
    const QString start = f.dir.filePath(QStringLiteral("f.txt"));
    for (auto _ : s)
        benchmark::DoNotOptimize(tz::uniquedPath(start));
}

void BM_uniquedPath_existenceTests(benchmark::State& s)
{
    const Folder& f = folder(s.range(0));
    if (!f.ok) {
        s.SkipWithError("cannot make the folder");
        return;
    }
    for (auto _ : s) {
        qsizetype found = 0;
        for (const QString& path : f.tested)
            found += QFileInfo::exists(path) ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            const std::string name = r.run_name.function_name + '/' + r.run_name.args;
            const double time = r.GetAdjustedCPUTime();
            const auto known = _times.find(name);
            _times[name] = known == _times.end() ? time : std::min(known->second, time);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const std::string once = '/' + std::to_string(copies);
        const std::string twice = '/' + std::to_string(2 * copies);
        const double ratio = time("BM_uniquedPath_ours" + once) / time("BM_uniquedPath_existenceTests" + once);
        std::printf("\nuniquedPath / existence tests at n = %lld: %.2f   goal <= 1.50  %s\n", (long long)copies, ratio,
                    ratio <= 1.5 ? "met" : "NOT met");
        const double growth = time("BM_uniquedPath_ours" + twice) / time("BM_uniquedPath_ours" + once);
        std::printf("uniquedPath time(2n) / time(n), n = %lld: %.2f   goal <= 2.20  %s\n", (long long)copies, growth,
                    growth <= 2.2 ? "met" : "NOT met");
    }

private:
    double time(const std::string& name) const
    {
        const auto it = _times.find(name);
        return it == _times.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> _times;
};

} // namespace

// A warm-up run of each before the measured ones.
#define TZ_SIZES(name) \
    BENCHMARK(name)->Arg(copies)->Arg(2 * copies)->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2)->Repetitions(5)
TZ_SIZES(BM_uniquedPath_ours);
TZ_SIZES(BM_uniquedPath_existenceTests);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
